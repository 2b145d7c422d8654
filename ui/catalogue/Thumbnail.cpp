#include "ui/catalogue/Thumbnail.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

bool isPlainFileName(const QString &name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && !name.contains(QChar(0)) && name != QLatin1String(".") && name != QLatin1String("..");
}

} // namespace

QString findThumbnail(const QString &folder, const QString &name)
{
    if (!isPlainFileName(name))
        return QString();
    const QString fileName = name + QStringLiteral(".gif");
    const QFileInfo exact(folder + fileName);
    if (exact.isFile())
        return exact.filePath();
    const QDir dir(folder);
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return QString();
}

QImage loadThumbnail(const QString &folder, const QString &name)
{
    const QString path = findThumbnail(folder, name);
    if (path.isEmpty())
        return QImage();
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}
