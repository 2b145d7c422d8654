#include "platform/database/Recordset.h"

#include "platform/database/DbError.h"
#include "platform/database/SqliteFailure.h"

#include <sqlite3.h>

namespace {

std::shared_ptr<const ResultLayout> layoutOf(const QString &table, const Statement &result, Connection &connection)
{
    auto layout = std::make_shared<ResultLayout>();
    layout->table = table;
    layout->tableColumns = connection.columnsOf(table);
    QHash<QString, int> columnByLowerName;
    for (int c = 0; c < layout->tableColumns.size(); ++c)
        columnByLowerName.insert(layout->tableColumns[c].name.toLower(), c);
    for (int f = 0; f + 1 < result.columnCount(); ++f) {
        const QString name = result.columnName(f + 1);
        const int column = columnByLowerName.value(name.toLower(), -1);
        layout->fieldNames << name;
        layout->fieldByName.insert(name, f);
        layout->fieldByLowerName.insert(name.toLower(), f);
        layout->tableColumnOfField << column;
        layout->isBooleanField << (column >= 0 && layout->tableColumns[column].kind == ColumnKind::Boolean);
    }
    return layout;
}

} // namespace

void Recordset::open(const SqlStatement &select, const std::shared_ptr<Connection> &connection)
{
    close();
    if (!connection)
        throw DbError(QStringLiteral("图版数据库没有打开"));
    if (!select.isSelect())
        throw DbError(QStringLiteral("不是对一张表的查询：%1").arg(select.shown()));
    // Each row's identity in front of the fields: a save finds the record by it.
    Statement &q = connection->prepared(select.preparedWithFieldsInFront(u"_rowid_ AS __row_id__,"), &select);
    q.bindValues(select.values());
    const auto refused = [&] {
        const SqliteError error = q.lastError();
        q.finish();
        return sqliteFailure(error, QStringLiteral("图版数据库不接受这条查询"), connection->path(), select.shown());
    };
    if (!q.exec())
        throw refused();

    std::shared_ptr<const ResultLayout> layout = q.resultLayout();
    if (!layout) {
        const QString head = select.head();
        layout = connection->layoutOf(head);
        if (!layout) {
            layout = layoutOf(select.table(), q, *connection);
            connection->recordLayout(head, layout);
        }
        q.setResultLayout(layout);
    }
    m_layout = std::move(layout);
    readRows(q);
    if (q.lastError().code != 0) { // the file failed midway: no half list
        m_rows.clear(0);
        m_layout.reset();
        throw refused();
    }
    q.finish(); // the prepared statement is kept: let go of the file until its next run
    m_position = m_rows.rowCount() == 0 ? 0 : 1;
    m_open = true;
}

// Straight from SQLite by each value's storage class: no QVariant, no UTF-16
// on the way. Boolean columns are read as the program sees them.
void Recordset::readRows(Statement &q)
{
    sqlite3_stmt *s = q.handle();
    const int fieldCount = m_layout->fieldNames.size();
    const bool *isBoolean = m_layout->isBooleanField.constData();
    m_rows.clear(fieldCount);
    while (q.next()) {
        const int row = m_rows.rowCount();
        m_rows.appendRow(sqlite3_column_int64(s, 0));
        for (int f = 0; f < fieldCount; ++f) {
            const int c = f + 1;
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER:
                if (isBoolean[f])
                    m_rows.setBoolean(row, f, sqlite3_column_int64(s, c) != 0);
                else
                    m_rows.setInteger(row, f, sqlite3_column_int64(s, c));
                break;
            case SQLITE_FLOAT:
                if (isBoolean[f])
                    m_rows.setBoolean(row, f, sqlite3_column_double(s, c) != 0.0);
                else
                    m_rows.setReal(row, f, sqlite3_column_double(s, c));
                break;
            case SQLITE_TEXT:
                if (isBoolean[f]) // "True", "False" or a number written as text
                    m_rows.setValue(row, f, toReadValue(ColumnKind::Boolean, q.value(c)));
                else
                    m_rows.setText(row, f, reinterpret_cast<const char *>(sqlite3_column_text(s, c)),
                                   size_t(sqlite3_column_bytes(s, c)));
                break;
            case SQLITE_BLOB:
                if (isBoolean[f])
                    m_rows.setValue(row, f, toReadValue(ColumnKind::Boolean, q.value(c)));
                else
                    m_rows.setBytes(row, f, static_cast<const char *>(sqlite3_column_blob(s, c)),
                                    size_t(sqlite3_column_bytes(s, c)));
                break;
            default: // NULL, as a new row starts
                break;
            }
        }
    }
}

void Recordset::close()
{
    m_open = false;
    m_layout.reset();
    m_rows.clear(0);
    m_position = 0;
}

qint64 Recordset::recordIdAt(int position) const
{
    requirePosition(position);
    return m_rows.rowId(position - 1);
}

QString Recordset::textAt(int position, int fieldIndex) const
{
    requirePosition(position);
    requireField(fieldIndex);
    return m_rows.text(position - 1, fieldIndex);
}

QVariant Recordset::valueAt(int position, int fieldIndex) const
{
    requirePosition(position);
    requireField(fieldIndex);
    return m_rows.value(position - 1, fieldIndex);
}

void Recordset::requirePosition(int position) const
{
    if (!m_open)
        throw DbError(QStringLiteral("记录集没有打开"));
    if (position < 1 || position > recordCount())
        throw DbError(QStringLiteral("没有第 %1 条记录（共 %2 条）").arg(position).arg(recordCount()));
}

void Recordset::requireField(int fieldIndex) const
{
    if (fieldIndex < 0 || fieldIndex >= m_layout->fieldNames.size())
        throw DbError(QStringLiteral("数据表 %1 的查询里没有第 %2 个字段").arg(m_layout->table).arg(fieldIndex + 1));
}

void Recordset::setAbsolutePosition(int position)
{
    requirePosition(position);
    m_position = position;
}

int Recordset::fieldIndex(const QString &field) const
{
    if (!m_open)
        throw DbError(QStringLiteral("记录集没有打开"));
    const auto exact = m_layout->fieldByName.constFind(field);
    if (exact != m_layout->fieldByName.constEnd())
        return *exact;
    const auto it = m_layout->fieldByLowerName.constFind(field.toLower());
    if (it == m_layout->fieldByLowerName.constEnd())
        throw DbError(QStringLiteral("数据表 %1 的查询里没有字段 %2").arg(m_layout->table, field));
    return *it;
}

void Recordset::requireCurrentRecord() const
{
    if (!m_open)
        throw DbError(QStringLiteral("记录集没有打开"));
    if (m_position == 0)
        throw DbError(QStringLiteral("没有当前记录：数据表 %1 里找不到这条记录").arg(m_layout->table));
}

QVariant Recordset::value(const QString &field) const
{
    return value(fieldIndex(field));
}

QVariant Recordset::value(int f) const
{
    requireCurrentRecord();
    requireField(f);
    return m_rows.value(m_position - 1, f);
}

QString Recordset::text(const QString &field) const
{
    return text(fieldIndex(field));
}

QString Recordset::text(int f) const
{
    requireCurrentRecord();
    requireField(f);
    return m_rows.text(m_position - 1, f);
}

std::optional<QString> Recordset::storedText(const QString &field, const QVariant &value) const
{
    try {
        const int f = fieldIndex(field); // throws when not open
        const int column = m_layout->tableColumnOfField[f];
        if (column < 0) // an expression
            return std::nullopt;
        const TableColumn &c = m_layout->tableColumns[column];
        return valueText(toReadValue(c.kind, toStoredValue(c.kind, value, c.name)));
    } catch (const DbError &) {
        return std::nullopt;
    }
}
