#include "ui/preview/ThumbnailSave.h"

#include "app/CatalogueStatements.h"
#include "app/HostCatalogue.h"
#include "app/mQuillar.h"
#include "figure/FigurePainter.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/image/GifWriter.h"
#include "platform/messages/MessageBox.h"
#include "ui/common/Thumbnail.h"
#include "ui/common/CatalogueChanges.h"

#include <QFileInfo>

namespace {

void tell(QWidget *window, QMessageBox::Icon icon, const QString &text)
{
    MessageRequest request;
    request.icon = icon;
    request.text = text;
    MessageBox::show(window, request);
}

// The figure's stored thumbnail name and every figure whose thumbnail it is
// (names compared as the file lookup compares them). No name: no record.
struct StoredName
{
    std::optional<QString> name;
    QStringList figures;
};

StoredName storedName(const QString &figure)
{
    StoredName stored;
    Recordset record;
    record.open(CatalogueStatements::figureByNumber(figure), gConn);
    if (record.recordCount() == 0)
        return stored;
    record.setAbsolutePosition(1);
    stored.name = record.text(QStringLiteral("figName"));
    Recordset all;
    all.open(CatalogueStatements::allFigureNumbersAndThumbnails(), gConn);
    for (int position = 1; position <= all.recordCount(); ++position) {
        if (all.textAt(position, 1).compare(*stored.name, Qt::CaseInsensitive) == 0)
            stored.figures << all.textAt(position, 0);
    }
    stored.figures.sort();
    return stored;
}

bool mayReplace(QWidget *window, const QString &path, const QStringList &figures)
{
    MessageRequest request;
    request.icon = QMessageBox::Question;
    request.text = QStringLiteral("缩略图 %1 已经存在，它是图版 %2 的缩略图。\n要用现在的图替换它吗？")
                       .arg(QFileInfo(path).fileName(), figures.join(QStringLiteral("、")));
    request.buttons = QMessageBox::Yes | QMessageBox::No;
    request.buttonTexts = {{QMessageBox::Yes, QStringLiteral("替换")}, {QMessageBox::No, QStringLiteral("保留")}};
    return MessageBox::show(window, request) == QMessageBox::Yes;
}

} // namespace

bool saveThumbnail(QWidget *window, const QString &figure, const FigureDrawing &drawing)
{
    // The host's catalogue and its pictures are not ours to change.
    if (HostCatalogue::isReadOnly()) {
        ReportError(QString(), window);
        return false;
    }
    StoredName stored;
    try {
        stored = storedName(figure);
    } catch (const DbError &e) {
        tell(window, QMessageBox::Warning, QStringLiteral("读不出图版 %1 的缩略图名：%2").arg(figure, e.cause()));
        return false;
    }
    if (!stored.name) {
        tell(window, QMessageBox::Information,
             QStringLiteral("图版 %1 不在图版库中，没有缩略图名；请先在图版目录中保存这个图版。").arg(figure));
        return false;
    }
    const QString name = *stored.name;
    if (name.trimmed().isEmpty() || !isPlainFileName(name)) {
        tell(window, QMessageBox::Information,
             name.trimmed().isEmpty() ? QStringLiteral("图版 %1 没有缩略图名；请先在图版目录中填写“缩略图”并保存。").arg(figure)
                            : QStringLiteral("图版 %1 的缩略图名“%2”不能用作文件名。").arg(figure, name));
        return false;
    }
    const QString existing = findThumbnail(gMiniMapDir, name);
    if (!existing.isEmpty() && !mayReplace(window, existing, stored.figures))
        return false;
    const QString path = existing.isEmpty() ? gMiniMapDir + name + QStringLiteral(".gif") : existing;
    const QSize size = commonThumbnailSize(gMiniMapDir);
    const QString failure = GifWriter::replace(FigurePainter(drawing, size).paint(), path);
    if (!failure.isEmpty()) {
        tell(window, QMessageBox::Warning, failure);
        return false;
    }
    emit CatalogueChanges::instance().thumbnailWritten(name);
    tell(window, QMessageBox::Information,
         QStringLiteral("缩略图已保存为 %1（%2×%3 像素）。").arg(QFileInfo(path).fileName()).arg(size.width()).arg(size.height()));
    return true;
}
