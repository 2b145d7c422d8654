#include "ui/common/NumberedRows.h"

#include "app/mQuillar.h"
#include "platform/database/ColumnKind.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/listview/ListView.h"
#include "ui/common/RowNumbersInUse.h"

std::vector<ListRow> readNumberedRows(Recordset &records, const QString &keyField, const QStringList &cellFields)
{
    std::vector<ListRow> rows;
    const int key = records.fieldIndex(keyField);
    QList<int> cells;
    for (const QString &field : cellFields)
        cells << records.fieldIndex(field);
    const int n = records.recordCount();
    rows.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        records.setAbsolutePosition(i);
        ListRow row;
        row.storedKey = records.value(key);
        row.text = valueText(row.storedKey);
        row.cells.reserve(cells.size());
        for (int field : cells)
            row.cells << records.text(field);
        row.readCells = row.cells;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<ListRow> loadNumberedRows(const SqlStatement &select, const QString &keyField, const QStringList &cellFields)
{
    try {
        gSql = select;
        OpenSharedRecordset();
        std::vector<ListRow> rows = readNumberedRows(*gRs, keyField, cellFields);
        gRs->close(); // the list holds what it shows; the values need not stay twice
        return rows;
    } catch (const DbError &) {
        return {}; // an unreadable list opens empty; the window still works
    }
}

StoredCells numberedCells(const Recordset &record, const QStringList &cellFields)
{
    return {int(cellFields.size()), [&record, &cellFields](int cell) { return record.text(cellFields[cell - 1]); }};
}

void showLoadedRows(ListView &list, std::vector<ListRow> rows, std::shared_ptr<const RowSource> source)
{
    list.setRows(std::move(rows), std::move(source));
    list.items().setOrigin(gConn ? gConn->fileIdentity() : QString());
}

double newRowNumber(const ListModel &list, const SqlStatement &storedSelect, const QString &keyField)
{
    RowNumbersInUse &inUse = RowNumbersInUse::of(list);
    inUse.refreshStored(storedSelect, keyField);
    return inUse.freeNumber(list.count() + 1);
}
