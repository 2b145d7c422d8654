#include "ui/preview/fPreview.h"

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/listview/ListView.h"
#include "ui/common/CatalogueChanges.h"
#include "ui/common/FieldTracking.h"
#include "ui/common/FigureRowsEditor.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/SingleWindow.h"
#include "ui/preview/FigureCanvas.h"
#include "ui/preview/ThumbnailSave.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

namespace {

constexpr int kNotesShown = 8;

const QStringList kRecordFields = {
    QStringLiteral("LB"), QStringLiteral("border"),
    QStringLiteral("X1"), QStringLiteral("X2"), QStringLiteral("X3"), QStringLiteral("X4"),
    QStringLiteral("X5"), QStringLiteral("X6"), QStringLiteral("X7"),
    QStringLiteral("Y1"), QStringLiteral("Y2"), QStringLiteral("Y3"), QStringLiteral("Y4"),
    QStringLiteral("Y5"), QStringLiteral("Y6"), QStringLiteral("Y7"),
};

} // namespace

std::span<const ListRow> fPreview::Source::rows() const
{
    if (fromEditor)
        return editorRows ? std::span<const ListRow>(editorRows->rows()) : std::span<const ListRow>();
    return stored;
}

fPreview::fPreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fPreview"));
    Canvas = new FigureCanvas(this);
    Canvas->setObjectName(QStringLiteral("Canvas"));
    lblNotes = new QLabel(this);
    lblNotes->setObjectName(QStringLiteral("lblNotes"));
    lblNotes->setWordWrap(true);
    lblNotes->setStyleSheet(QStringLiteral("color: #9a1d1d;"));
    lblNotes->hide();
    // Ctrl+S saves in every window; here what there is to save is the drawing.
    auto *saveThumbnailAction = new QAction(QStringLiteral("保存为缩略图"), this);
    saveThumbnailAction->setShortcut(QKeySequence::Save);
    connect(saveThumbnailAction, &QAction::triggered, this, &fPreview::cmdSaveThumbnail_Click);
    addAction(saveThumbnailAction);
    Canvas->addAction(saveThumbnailAction);
    Canvas->setContextMenuPolicy(Qt::ActionsContextMenu);
    cmdSaveThumbnail = new QPushButton(QStringLiteral("保存为缩略图"), this);
    cmdSaveThumbnail->setObjectName(QStringLiteral("cmdSaveThumbnail"));
    cmdSaveThumbnail->setToolTip(QStringLiteral("把这张图存为图版的缩略图（Ctrl+S）"));
    connect(cmdSaveThumbnail, &QPushButton::clicked, this, &fPreview::cmdSaveThumbnail_Click);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblNotes, 1);
    bottom->addWidget(cmdSaveThumbnail, 0, Qt::AlignRight | Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Canvas, 1);
    layout->addLayout(bottom);
    resize(640, 600);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    // An editor of the figure may open or close while the preview shows.
    connect(qApp, &QApplication::focusChanged, this, &fPreview::updateSoon);
    // Saves in any window: what is stored of the figure is drawn again.
    const CatalogueChanges &changes = CatalogueChanges::instance();
    connect(&changes, &CatalogueChanges::figureRenamed, this, [this](const QString &from, const QString &to) {
        if (from != m_figure)
            return;
        m_figure = to;
        showTitle();
        rereadSoon();
    });
    connect(&changes, &CatalogueChanges::figureDeleted, this, [this](const QString &number) {
        if (number == m_figure) {
            m_deleted = true;
            rereadSoon();
        }
    });
    connect(&changes, &CatalogueChanges::figureWritten, this, [this](const QString &number) {
        if (number == m_figure)
            rereadSoon();
    });
}

fPreview::~fPreview()
{
    // Closing the window moves the focus while QWidget takes it down: by then
    // this is no fPreview to tell.
    disconnect(qApp, nullptr, this, nullptr);
}

void fPreview::Form_Load()
{
    setWindowTitle(QStringLiteral("图版预览"));
}

void fPreview::showFigure(const QString &figure)
{
    m_figure = figure;
    m_deleted = false;
    showTitle();
    followEditors(true);
    redraw();
}

void fPreview::showTitle()
{
    setWindowTitle(QStringLiteral("图版预览") + m_figure);
}

void fPreview::cmdSaveThumbnail_Click()
{
    if (!m_figure.isEmpty())
        saveThumbnail(this, m_figure, Canvas->drawing());
}

bool fPreview::event(QEvent *event)
{
    // Coming back to the preview: the stored records may have been saved meanwhile.
    if (event->type() == QEvent::WindowActivate && !m_figure.isEmpty()) {
        followEditors(true);
        redraw();
    }
    return QWidget::event(event);
}

bool fPreview::followEditors(bool reread)
{
    if (reread)
        readRecord();
    using Kind = PreviewRows::Kind;
    const bool pointsMoved = follow(m_points, PreviewRows::of(Kind::Points, m_figure),
                                    CatalogueStatements::pointsOfFigure(m_figure), PreviewRows::cellFields(Kind::Points),
                                    reread);
    return follow(m_labels, PreviewRows::of(Kind::Labels, m_figure), CatalogueStatements::labelsOfFigure(m_figure),
                  PreviewRows::cellFields(Kind::Labels), reread)
           || pointsMoved;
}

bool fPreview::follow(Source &source, const ListView *editorRows, const SqlStatement &select, const QStringList &fields,
                      bool reread)
{
    const bool sameEditor = source.fromEditor && editorRows && source.editorRows == editorRows;
    const bool stillStored = !source.fromEditor && !editorRows;
    if (sameEditor || (stillStored && !reread))
        return false;
    if (source.editorRows)
        disconnect(source.editorRows->model(), nullptr, this, nullptr);
    source.editorRows = editorRows;
    source.fromEditor = editorRows != nullptr;
    source.stored.clear();
    source.readFailure.clear();
    if (editorRows) {
        const QAbstractItemModel *model = editorRows->model();
        connect(model, &QAbstractItemModel::dataChanged, this, &fPreview::rowsChanged);
        connect(model, &QAbstractItemModel::rowsInserted, this, &fPreview::rowsChanged);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &fPreview::rowsChanged);
        connect(model, &QAbstractItemModel::modelReset, this, &fPreview::rowsChanged);
        connect(model, &QObject::destroyed, this, &fPreview::rowsChanged);
        return true;
    }
    try {
        Recordset records;
        records.open(select, gConn);
        source.stored = readNumberedRows(records, QStringLiteral("ID"), fields);
    } catch (const DbError &e) {
        source.readFailure = QStringLiteral("读不出存储的记录：%1").arg(e.cause());
    }
    return true;
}

void fPreview::readRecord()
{
    m_record.reset();
    m_recordFailure.clear();
    try {
        Recordset records;
        records.open(CatalogueStatements::figureByNumber(m_figure), gConn);
        if (records.recordCount() == 0)
            return;
        m_deleted = false; // a figure saved under the number since
        records.setAbsolutePosition(1);
        QHash<QString, QString> record;
        for (const QString &field : kRecordFields)
            record.insert(field, records.text(field));
        m_record = std::move(record);
    } catch (const DbError &e) {
        m_recordFailure = QStringLiteral("读不出图版的坐标参数：%1").arg(e.cause());
    }
}

void fPreview::rowsChanged()
{
    m_rowsChanged = true;
    updateSoon();
}

void fPreview::rereadSoon()
{
    // Soon: the editors of the figure follow the same change first.
    m_rereadPending = true;
    updateSoon();
}

void fPreview::updateSoon()
{
    // Many row changes in one go (a save, a reload) make one redraw.
    if (m_updatePending || m_figure.isEmpty())
        return;
    m_updatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_updatePending = false;
        const bool reread = std::exchange(m_rereadPending, false);
        const bool changed = followEditors(reread) || std::exchange(m_rowsChanged, false) || reread;
        if (changed)
            redraw();
    });
}

void fPreview::redraw()
{
    if (m_deleted) {
        m_notes.clear();
        lblNotes->hide();
        Canvas->showMessage(QStringLiteral("图版 %1 已从图版库中删除。").arg(m_figure));
        return;
    }
    ReadFigure read = readFigure({m_record, m_points.rows(), m_labels.rows()});
    m_notes.clear();
    for (const QString &failure : {m_recordFailure, m_points.readFailure, m_labels.readFailure}) {
        if (!failure.isEmpty())
            m_notes << failure;
    }
    m_notes << read.notes;
    Canvas->setDrawing(std::move(read.drawing));
    QStringList shown = m_notes.mid(0, kNotesShown);
    if (m_notes.size() > kNotesShown)
        shown << QStringLiteral("……另有 %1 处未画出").arg(m_notes.size() - kNotesShown);
    lblNotes->setText(shown.join(QLatin1Char('\n')));
    lblNotes->setVisible(!m_notes.isEmpty());
}

void showFigurePreview(const QString &figure)
{
    SingleWindow<fPreview>::show().showFigure(figure);
}

void previewOnF5(FigureRowsEditor &editor, FieldTracking &fields)
{
    auto *key = new QShortcut(QKeySequence(Qt::Key_F5), &editor);
    QObject::connect(key, &QShortcut::activated, &editor, [&editor, &fields] {
        fields.leaveFocusedField();
        showFigurePreview(editor.figureNumber());
    });
}
