#include "ui/common/RowEditing.h"

#include "platform/listview/ListView.h"
#include "ui/common/NumberText.h"

QString numberWithMark(const QString &rowText, const QString &mark)
{
    return numberText(leadingNumber(rowText)) + mark;
}

void markRowChanged(ListView &list, int row)
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

void markRowDeleted(ListView &list, int row, const QString &mark)
{
    list.setTag(row, RowState::Deleted);
    list.setText(row, numberWithMark(list.text(row), mark));
}

int appendNewRow(ListView &list, const QString &number)
{
    ListRow row;
    row.text = number + RowMark::New;
    row.tag = RowState::New;
    return list.addRow(std::move(row));
}

void markRowSaved(ListView &list, int row, const QString &shownNumber)
{
    list.setText(row, shownNumber);
    list.setTag(row, RowState::Unchanged);
}

bool hasUnsavedRows(const ListView &list, const std::function<bool(int row)> &settled)
{
    for (int row = 0; row < list.count(); ++row) {
        if (list.tag(row) != RowState::Unchanged && !(settled && settled(row)))
            return true;
    }
    return false;
}

void removeRowsKeepingCurrent(ListView &list, const std::vector<int> &rows, int &current)
{
    int removedAbove = 0;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        list.removeRow(*it);
        if (*it == current) {
            current = -1;
            list.clearSelection(); // no row looks current until the user clicks one
        }
        else if (current >= 0 && *it < current)
            ++removedAbove;
    }
    if (current >= 0)
        current -= removedAbove;
}
