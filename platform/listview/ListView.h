#pragma once

#include "platform/listview/ListModel.h"

#include <QTableView>

// The report-style list every window uses: columns with caption and width in
// twips, full-row selection, grid lines, rows with text, cells, tag and stored
// key. Rows are addressed by 0-based index; removing a row moves the rows
// after it up by one. Tab leaves the list for the next control; the arrow
// keys move between rows. A plain click or arrow key picks one row; Shift,
// Ctrl and Ctrl+A only extend the selection, the row last picked stays the
// current one.
class ListView : public QTableView
{
    Q_OBJECT
public:
    explicit ListView(QWidget *parent = nullptr);

    void setColumns(const QList<QPair<QString, int>> &captionsAndWidthsInTwips);

    int count() const { return m_model.rowCount(); }
    // The rows the view shows: what the editing model and the saves work on.
    ListModel &items() { return m_model; }
    const ListModel &items() const { return m_model; }
    // Replaces every row at once (fast for long lists) and selects the first.
    // Rows with an unread place read it from `source` when needed.
    void setRows(std::vector<ListRow> rows, std::shared_ptr<const RowSource> source = {});
    int addRow(ListRow row = {});
    void removeRow(int r) { m_model.removeRow(r); }

    const ListRow &row(int r) const { return m_model.row(r); }
    const std::vector<ListRow> &rows() const { return m_model.rows(); }
    QString text(int r) const { return m_model.text(r); }
    void setText(int r, const QString &text) { m_model.setText(r, text); }
    QString cell(int r, int cell) const { return m_model.cell(r, cell); } // cell >= 1; empty when never set
    // Reads a long list's row when it was not yet; false when it cannot be
    // read now, and rowReadFailure() says why.
    bool rowReadable(int r) const { return m_model.isRead(r); }
    QString rowReadFailure() const { return m_model.readFailure(); }
    void setCell(int r, int cell, const QString &text) { m_model.setCell(r, cell, text); }
    int tag(int r) const { return m_model.tag(r); }
    void setTag(int r, int tag) { m_model.setTag(r, tag); }
    QVariant storedKey(int r) const { return m_model.storedKey(r); }
    bool hasStoredKey(int r) const { return m_model.hasStoredKey(r); }
    void setStoredKey(int r, const QVariant &key) { m_model.setStoredKey(r, key); }

    // The row picked last when it is still selected, else the first selected; -1 when none is.
    int selectedRow() const;
    std::vector<int> selectedRows() const; // ascending
    void selectOnly(int r);
    // Selects rows first..last, `current` the one picked.
    void selectRange(int first, int last, int current);

    // Scrolls the row into view, sideways only as far as its first column:
    // the row number and its mark stay visible whatever cell was clicked.
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

signals:
    // A row was picked, by a mouse click or by moving with the keyboard.
    void rowClicked();
    void rowDoubleClicked();
    // A context menu is wanted at `globalPos`; a right-click on a row has
    // already picked it (the window may have refused: then none is wanted).
    void contextMenuWanted(const QPoint &globalPos);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // A right-click picks its row as a click would, unless the row is one of
    // several selected (kept for copying or deleting them); false when the
    // window kept another row.
    bool pickRowForMenu(int r);

    ListModel m_model;
    Qt::KeyboardModifiers m_pressModifiers;
    bool m_menuRefused = false;
};
