#include "ui/common/RowEditing.h"

#include "platform/listview/ListModel.h"
#include "ui/common/NumberText.h"

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
