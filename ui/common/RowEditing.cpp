#include "ui/common/RowEditing.h"

#include "platform/listview/ListModel.h"
#include "ui/common/NumberText.h"

#include <algorithm>

QString unmarkedText(const QString &rowText, int tag)
{
    if (tag == RowState::Unchanged || rowText.isEmpty())
        return rowText;
    // Every mark is one character: "*", "#", "★" or a window's own ("d").
    return rowText.chopped(1);
}

QString numberWithMark(const QString &rowText, const QString &mark)
{
    return numberText(leadingNumber(rowText)) + mark;
}

void markRowChanged(ListModel &list, int row)
{
    if (list.tag(row) >= RowState::New)
        return;
    if (list.tag(row) == RowState::Deleted && !list.storedKey(row).isValid()) {
        // A new row taken back: it still has no record to change.
        list.setText(row, numberWithMark(list.text(row), RowMark::New));
        list.setTag(row, RowState::New);
        return;
    }
    list.setText(row, numberWithMark(list.text(row), RowMark::Changed));
    list.setTag(row, RowState::Changed);
}

void markRowDeleted(ListModel &list, int row, const QString &mark)
{
    list.setTag(row, RowState::Deleted);
    list.setText(row, numberWithMark(list.text(row), mark));
}

void markRowsDeleted(ListModel &list, const std::vector<int> &rows, const QString &mark)
{
    for (int row : rows)
        markRowDeleted(list, row, mark);
}

namespace {

// A row that holds what its record held goes back to unchanged; any other
// to changed (a stored row) or new.
void unmarkRowDeleted(ListModel &list, int row)
{
    const ListRow &held = list.row(row);
    if (held.storedKey.isValid() && held.cells == held.readCells) {
        list.setTag(row, RowState::Unchanged);
        list.setText(row, numberWithMark(held.text, QString()));
        return;
    }
    markRowChanged(list, row);
}

} // namespace

void toggleRowsDeleted(ListModel &list, const std::vector<int> &rows, const QString &mark)
{
    const bool allMarked = std::all_of(rows.begin(), rows.end(), [&](int row) { return list.tag(row) == RowState::Deleted; });
    for (int row : rows) {
        if (allMarked)
            unmarkRowDeleted(list, row);
        else if (list.tag(row) != RowState::Deleted)
            markRowDeleted(list, row, mark);
    }
}

int appendNewRow(ListModel &list, const QString &number)
{
    ListRow row;
    row.text = number + RowMark::New;
    row.tag = RowState::New;
    return list.appendRow(std::move(row));
}

void markRowSaved(ListModel &list, int row, const QString &shownNumber)
{
    list.setText(row, shownNumber);
    list.setTag(row, RowState::Unchanged);
    list.setReadCells(row, list.row(row).cells);
}

std::vector<int> markedRows(const ListModel &list)
{
    std::vector<int> marked;
    for (int row = 0; row < list.count(); ++row) {
        if (list.tag(row) != RowState::Unchanged)
            marked.push_back(row);
    }
    return marked;
}

bool hasUnsavedRows(const ListModel &list, const std::function<bool(int row)> &settled)
{
    for (int row = 0; row < list.count(); ++row) {
        if (list.tag(row) != RowState::Unchanged && !(settled && settled(row)))
            return true;
    }
    return false;
}

void removeRowsKeepingCurrent(ListModel &list, const std::vector<int> &rows, int &current)
{
    int removedAbove = 0;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        list.removeRow(*it);
        if (*it == current)
            current = -1;
        else if (current >= 0 && *it < current)
            ++removedAbove;
    }
    if (current >= 0)
        current -= removedAbove;
}
