#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <functional>

class ListView;
class QWidget;

// The edit fields of a sub-editor, reached by the number of the list cell
// each one edits (TxtBoxes). An edit reaches the current row (CurItem) only
// when its field loses the focus, and only when the field's text differs from
// the one it had when it got the focus or last wrote the row (TxtBoxesOld).
// Losing the focus to another window or to a combo box's own list is not
// leaving the field: the edit stays pending until the user moves on, also
// when that is a click that brings the window back.
class FieldTracking : public QObject
{
    Q_OBJECT
public:
    explicit FieldTracking(ListView &list, QObject *parent = nullptr);

    // A text box, an editable combo box or a multi-line text box.
    void add(int cell, QWidget *field);
    QString text(int cell) const;
    void setText(int cell, const QString &text);

    // Copies the row's cells into the fields; with `asBaseline` also into TxtBoxesOld.
    void showRow(int row, bool asBaseline);
    // A save read `row` again from its record: the fields show it when it is CurItem.
    void showReloadedRow(int row);
    // A click on the list: the selected row becomes CurItem and is shown.
    // Returns it, or -1 when no row is selected (then nothing changes).
    int takeSelectedRow(bool asBaseline);

    // Writes field `cell` into CurItem when its text has changed and marks the
    // row changed; without a current row only the baseline moves.
    void TxtBoxesChange(int cell);
    // Applies an edit pending in the field that has the window's focus, as if
    // it was left: for keys that act on the rows without moving the focus.
    void leaveFocusedField();

    // The fields now hold the proposal for a new row: while it is prepared,
    // only what is typed beyond it is pending.
    void holdNewRowProposal();
    // An edit typed into a field that has not reached its row yet.
    bool hasPendingEdit() const;
    // A marked row or a pending edit: what closing the window would drop.
    bool hasUnsavedWork() const;

    // While it answers true (a new row being prepared), leaving a field writes nothing.
    std::function<bool()> isPreparingNewRow;

    int CurItem = -1;                 // the row edits go to; -1: none
    QMap<int, QWidget *> TxtBoxes;    // cell -> field
    QMap<int, QString> TxtBoxesOld;   // cell -> text the field had

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void leaveField(int cell);
    bool preparingNewRow() const { return isPreparingNewRow && isPreparingNewRow(); }
    // The field that has the window's focus (kept while another window is active); -1: none.
    int fieldWithFocus() const;

    ListView &m_list;
    int m_leftWithWindow = -1; // the field that had the focus when the window lost it
    QMap<int, QString> m_newRowProposal;
};
