#include "ui/common/KeyedListSave.h"

#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/listview/ListModel.h"
#include "ui/common/CellWriting.h"
#include "ui/common/NumberText.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/RowEditing.h"
#include "ui/common/WriteConflicts.h"

#include <algorithm>

namespace {

// The record a row stands for: the number it was loaded with, or for a new
// row the number it shows.
QVariant numberOf(const ListModel &list, int row)
{
    const QVariant stored = list.storedKey(row);
    return stored.isValid() ? stored : QVariant(leadingNumber(list.text(row)));
}

void saveRow(const ListModel &list, int row, const KeyedTable &table)
{
    const int tag = list.tag(row);
    const QVariant number = numberOf(list, row);
    if (tag == RowState::Deleted) {
        if (list.storedKey(row).isValid()) {
            gSql = table.deleteStatement(number);
            gConn->execute(gSql);
        }
        return;
    }
    const bool isNew = tag == RowState::New;
    gSql = table.selectStatement(number, isNew);
    Recordset record;
    record.open(gSql, gConn);
    if (isNew && record.recordCount() > 0)
        throw DbError(QStringLiteral("%1号 %2 已经有%1“%3”，新%1不能再用这个号")
                          .arg(table.noun, valueText(number), record.text(table.nameField).simplified())); // a cause is one line
    if (!isNew && record.recordCount() == 0)
        throw DbError(QStringLiteral("%1 %2 已经不在图版数据库中").arg(table.noun, valueText(number)));
    if (isNew) {
        record.addNew();
        table.assignKey(record, number);
        for (int cell = 1; cell <= table.cellFields.size(); ++cell)
            writeCell(record, table.cellFields[cell - 1], list.cell(row, cell), true);
    } else {
        // Only what the user changed; the same field changed by another
        // program since is asked about.
        const QStringList stored = numberedCells(record, table.cellFields);
        const QList<int> edited =
            cellsToWrite(list, row, table.noun + QLatin1Char(' ') + valueText(number), stored,
                         [&](int cell, const QString &text) { return record.storedText(table.cellFields[cell - 1], text); });
        for (int cell : edited)
            writeCell(record, table.cellFields[cell - 1], list.cell(row, cell), false);
    }
    record.update();
    record.close();
}

} // namespace

SaveOutcome saveKeyedList(ListModel &list, int &current, const KeyedTable &table)
{
    const std::vector<int> marked = markedRows(list);
    RowWriter writer;
    writer.readFrom = list.origin();
    writer.start = table.start;
    writer.write = [&](int row) { saveRow(list, row, table); };
    writer.describe = [&](int row) {
        return QStringLiteral("第 %1 行（%2 %3）").arg(row + 1).arg(table.noun, list.text(row));
    };
    SaveOutcome outcome = saveRowByRow(marked, writer);
    std::vector<int> deleted;
    for (int row : outcome.written) {
        if (list.tag(row) == RowState::Deleted) {
            deleted.push_back(row);
        } else {
            const QVariant number = numberOf(list, row);
            list.setStoredKey(row, number);
            markRowSaved(list, row, valueText(number));
        }
    }
    removeRowsKeepingCurrent(list, deleted, current);
    if (outcome.conflict) // deleted rows above it have left the list
        outcome.conflict->row -= int(std::count_if(deleted.begin(), deleted.end(),
                                                   [&](int row) { return row < outcome.conflict->row; }));
    return outcome;
}
