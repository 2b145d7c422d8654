#pragma once

#include "ui/common/PreviewRows.h"
#include "ui/preview/FigureReading.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class FieldTracking;
class FigureRowsEditor;
class FigureCanvas;
class ListView;
class SqlStatement;
class QLabel;
class QPushButton;

// The figure preview: one figure drawn as the host would draw it, from the
// rows as they stand in an open point or label editor of that figure (unsaved
// edits included) and from the stored records for what no editor holds,
// read again after every save of the figure; a renumbered figure is
// followed, a deleted one is not drawn.
class fPreview : public QWidget
{
    Q_OBJECT
public:
    explicit fPreview(QWidget *parent = nullptr);
    ~fPreview() override;

    void Form_Load();
    void showFigure(const QString &figure);
    void cmdSaveThumbnail_Click();

    QString figureNumber() const { return m_figure; }
    const FigureCanvas &canvas() const { return *Canvas; }
    QStringList notes() const { return m_notes; }

protected:
    bool event(QEvent *event) override;

private:
    // Where one kind of rows comes from: an open editor of the figure, or
    // else the stored records read when it was picked.
    struct Source
    {
        QPointer<const ListView> editorRows;
        bool fromEditor = false;
        std::vector<ListRow> stored;
        QString readFailure;
        std::span<const ListRow> rows() const;
    };

    // Follows the editors of the figure opened or closed since; `reread`
    // reads the stored records again.
    // Both return whether the rows come from elsewhere now.
    bool followEditors(bool reread);
    bool follow(Source &source, const ListView *editorRows, const SqlStatement &select, const QStringList &fields, bool reread);
    void readRecord();
    void showTitle();
    void rowsChanged();
    void rereadSoon();
    void updateSoon();
    void redraw();

    QString m_figure;
    std::optional<QHash<QString, QString>> m_record;
    QString m_recordFailure;
    Source m_points, m_labels;
    QStringList m_notes;
    bool m_updatePending = false;
    bool m_rowsChanged = false;
    bool m_rereadPending = false;
    bool m_deleted = false; // since a save deleted it, until a figure has its number again

    FigureCanvas *Canvas;
    QLabel *lblNotes;
    QPushButton *cmdSaveThumbnail;
};

// Shows `figure` in the program's one preview window, opening it when needed.
void showFigurePreview(const QString &figure);

// F5 in a point or label editor applies the field being edited and previews
// the editor's figure, which the preview draws from the editor's rows.
void previewOnF5(FigureRowsEditor &editor, FieldTracking &fields);
