#include "ui/common/KeyedListSave.h"

#include "app/mQuillar.h"
#include "platform/database/DbError.h"
#include "platform/database/Recordset.h"
#include "platform/database/TableWriter.h"
#include "platform/listview/ListModel.h"
#include "ui/common/CellWriting.h"
#include "ui/common/NumberText.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/RowEditing.h"
#include "ui/common/WriteConflicts.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// The record a row stands for: the number it was loaded with, or for a new
// row the number it shows.
QVariant numberOf(const ListModel &list, int row)
{
    const QVariant stored = list.storedKey(row);
    return stored.isValid() ? stored : QVariant(leadingNumber(list.text(row)));
}

// The numbers the records hold, kept sorted in one array: a save inserts
// one for every new row, and a tree would allocate a node for each.
class Numbers
{
public:
    // Many at once, in any order.
    void assign(std::vector<double> numbers)
    {
        std::sort(numbers.begin(), numbers.end());
        numbers.erase(std::unique(numbers.begin(), numbers.end(), [](double a, double b) { return !(a < b); }),
                      numbers.end());
        m_sorted = std::move(numbers);
    }
    bool contains(double n) const
    {
        const auto it = std::lower_bound(m_sorted.begin(), m_sorted.end(), n);
        return it != m_sorted.end() && !(n < *it);
    }
    void insert(double n)
    {
        const auto it = std::lower_bound(m_sorted.begin(), m_sorted.end(), n);
        if (it == m_sorted.end() || n < *it)
            m_sorted.insert(it, n);
    }
    void erase(double n)
    {
        const auto it = std::lower_bound(m_sorted.begin(), m_sorted.end(), n);
        if (it != m_sorted.end() && !(n < *it))
            m_sorted.erase(it);
    }

private:
    std::vector<double> m_sorted;
};

class KeyedSave
{
public:
    KeyedSave(const ListModel &list, const KeyedTable &table) : m_list(list), m_table(table) {}

    // Inside the save's transaction: the numbers read here follow every
    // write of it, so a new row needs no select of its own to find its
    // number free.
    void start()
    {
        if (m_table.start)
            m_table.start();
        m_writer.emplace(gConn, m_table.table);
        for (const QString &field : m_table.cellFields)
            m_cellColumns << m_writer->column(field);
        Recordset numbers;
        numbers.open(m_table.storedNumbers, gConn);
        const int key = numbers.fieldIndex(m_table.keyField);
        std::vector<double> stored;
        stored.reserve(size_t(numbers.recordCount()));
        for (int i = 1; i <= numbers.recordCount(); ++i) {
            numbers.setAbsolutePosition(i);
            if (const auto number = storedNumber(numbers.value(key)))
                stored.push_back(*number);
        }
        m_stored.assign(std::move(stored));
    }

    void write(int row)
    {
        const int tag = m_list.tag(row);
        const QVariant number = numberOf(m_list, row);
        if (tag == RowState::Deleted) {
            if (m_list.storedKey(row).isValid()) {
                gSql = m_table.deleteStatement(number);
                gConn->execute(gSql);
                if (const auto deleted = storedNumber(number))
                    m_stored.erase(*deleted);
            }
            return;
        }
        if (tag == RowState::New)
            insert(row, number);
        else
            update(row, number);
    }

private:
    void insert(int row, const QVariant &number)
    {
        const std::optional<double> key = storedNumber(number);
        if (!key || m_stored.contains(*key)) {
            gSql = m_table.selectStatement(number, true);
            Recordset holder;
            holder.open(gSql, gConn);
            if (holder.recordCount() > 0)
                throw DbError(QStringLiteral("%1号 %2 已经有%1“%3”，新%1不能再用这个号")
                                  .arg(m_table.noun, valueText(number),
                                       holder.text(m_table.nameField).simplified())); // a cause is one line
        }
        m_table.assignKey(*m_writer, number);
        for (int cell = 1; cell <= m_cellColumns.size(); ++cell)
            writeCell(*m_writer, m_cellColumns[cell - 1], m_list.cell(row, cell), nullptr);
        m_writer->insert();
        if (key)
            m_stored.insert(*key);
    }

    void update(int row, const QVariant &number)
    {
        gSql = m_table.selectStatement(number, false);
        Recordset record;
        record.open(gSql, gConn);
        if (record.recordCount() == 0)
            throw DbError(QStringLiteral("%1 %2 已经不在图版数据库中").arg(m_table.noun, valueText(number)));
        // Only what the user changed; the same field changed by another
        // program since is asked about.
        const StoredCells stored = numberedCells(record, m_table.cellFields);
        const QList<int> edited = cellsToWrite(m_list, row, m_table.noun + QLatin1Char(' ') + valueText(number), stored,
                                               [&](int cell, const QString &text) {
                                                   return record.storedText(m_table.cellFields[cell - 1], text);
                                               });
        for (int cell : edited)
            writeCell(*m_writer, m_cellColumns[cell - 1], m_list.cell(row, cell), &record);
        m_writer->update(record.recordIdAt(1));
    }

    const ListModel &m_list;
    const KeyedTable &m_table;
    Numbers m_stored; // the numbers the records hold
    std::optional<TableWriter> m_writer; // every row's write goes through it
    QList<int> m_cellColumns;  // the table column behind each cell
};

} // namespace

SaveOutcome saveKeyedList(ListModel &list, int &current, const KeyedTable &table)
{
    const std::vector<int> marked = markedRows(list);
    KeyedSave save(list, table);
    RowWriter writer;
    writer.readFrom = list.origin();
    writer.start = [&] { save.start(); };
    writer.write = [&](int row) { save.write(row); };
    writer.oneStatementPerRow = true; // one DELETE, INSERT or UPDATE, after the checks and conversions
    writer.describe = [&](int row) {
        return QStringLiteral("第 %1 行（%2 %3）").arg(row + 1).arg(table.noun, list.text(row));
    };
    SaveOutcome outcome = saveRowByRow(marked, writer);
    std::vector<int> deleted;
    {
        const ListModel::HeldChanges held(list);
        for (int row : outcome.written) {
            if (list.tag(row) == RowState::Deleted) {
                deleted.push_back(row);
            } else {
                const QVariant number = numberOf(list, row);
                list.setStoredKey(row, number);
                markRowSaved(list, row, valueText(number));
            }
        }
    }
    removeRowsKeepingCurrent(list, deleted, current);
    if (outcome.conflict) // deleted rows above it have left the list
        outcome.conflict->row -= int(std::count_if(deleted.begin(), deleted.end(),
                                                   [&](int row) { return row < outcome.conflict->row; }));
    return outcome;
}
