#include "ui/common/NumberedRows.h"

#include "app/mQuillar.h"
#include "platform/database/ColumnKind.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/listview/ListView.h"
#include "ui/common/RowNumbersInUse.h"

#include <utility>

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

namespace {

// The rows of a load, read from the record set it read; nothing is read
// from the catalogue again.
class LoadedRowSource : public RowSource
{
public:
    LoadedRowSource(std::shared_ptr<const Recordset> records, int keyField, QList<int> cellFields)
        : m_records(std::move(records)), m_key(keyField), m_cells(std::move(cellFields))
    {
    }

    QString text(int place) const override { return m_records->textAt(place + 1, m_key); }
    QVariant storedKey(int place) const override { return m_records->valueAt(place + 1, m_key); }
    int knownCellCount() const override { return int(m_cells.size()); }
    QString knownCell(int place, int cell) const override { return m_records->textAt(place + 1, m_cells[cell - 1]); }
    std::optional<QStringList> readCells(int place) const override
    {
        QStringList cells;
        cells.reserve(m_cells.size());
        for (int field : m_cells)
            cells << m_records->textAt(place + 1, field);
        return cells;
    }
    QString readFailure() const override { return QString(); }

private:
    std::shared_ptr<const Recordset> m_records;
    int m_key;
    QList<int> m_cells;
};

} // namespace

LoadedRows loadNumberedRows(const SqlStatement &select, const QString &keyField, const QStringList &cellFields)
{
    try {
        gSql = select;
        OpenSharedRecordset();
        // The list keeps the values; gRs is let go as after every load.
        std::shared_ptr<const Recordset> records = std::exchange(gRs, std::make_shared<Recordset>());
        QList<int> cells;
        for (const QString &field : cellFields)
            cells << records->fieldIndex(field);
        const int key = records->fieldIndex(keyField);
        LoadedRows loaded;
        loaded.rows.resize(static_cast<size_t>(records->recordCount()));
        for (size_t place = 0; place < loaded.rows.size(); ++place)
            loaded.rows[place].unreadPlace = int(place);
        loaded.source = std::make_shared<LoadedRowSource>(std::move(records), key, std::move(cells));
        return loaded;
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

void showLoadedRows(ListView &list, LoadedRows loaded)
{
    showLoadedRows(list, std::move(loaded.rows), std::move(loaded.source));
}

double newRowNumber(const ListModel &list, const SqlStatement &storedSelect, const QString &keyField)
{
    return newRowNumbers(list, storedSelect, keyField)();
}

std::function<double()> newRowNumbers(const ListModel &list, const SqlStatement &storedSelect, const QString &keyField)
{
    RowNumbersInUse &inUse = RowNumbersInUse::of(list);
    inUse.refreshStored(storedSelect, keyField);
    return [&list, &inUse] { return inUse.freeNumber(list.count() + 1); };
}
