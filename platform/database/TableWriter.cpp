#include "platform/database/TableWriter.h"

#include "platform/database/DbError.h"
#include "platform/database/SqliteFailure.h"

#include <QStringList>
#include <QVarLengthArray>

namespace {

QString quotedIdentifier(const QString &name)
{
    QString s = name;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

} // namespace

TableWriter::TableWriter(std::shared_ptr<Connection> connection, const QString &table)
    : m_connection(std::move(connection)), m_table(table)
{
    if (!m_connection)
        throw DbError(QStringLiteral("图版数据库没有打开"));
    m_columns = m_connection->columnsOf(table);
    for (int c = 0; c < m_columns.size(); ++c) {
        m_columnByName.insert(m_columns[c].name, c);
        m_columnByLowerName.insert(m_columns[c].name.toLower(), c);
    }
    m_values.resize(size_t(m_columns.size()));
    m_isSet.resize(size_t(m_columns.size()));
}

int TableWriter::column(const QString &name) const
{
    const auto exact = m_columnByName.constFind(name);
    if (exact != m_columnByName.constEnd())
        return *exact;
    const auto it = m_columnByLowerName.constFind(name.toLower());
    if (it == m_columnByLowerName.constEnd())
        throw DbError(QStringLiteral("数据表 %1 没有字段 %2").arg(m_table, name));
    return *it;
}

const QString &TableWriter::columnName(int column) const
{
    return m_columns[column].name;
}

void TableWriter::setText(int column, const QString &text)
{
    try {
        set(column, storedValueOfText(m_columns[column].kind, text, m_columns[column].name));
    } catch (const DbError &) {
        clearPending(); // a failing row leaves nothing for the next write
        throw;
    }
}

void TableWriter::setNumber(int column, double number)
{
    try {
        set(column, storedValueOfNumber(m_columns[column].kind, number, m_columns[column].name));
    } catch (const DbError &) {
        clearPending();
        throw;
    }
}

void TableWriter::set(int column, StoredValue &&value)
{
    if (!m_isSet[column]) {
        m_isSet[column] = true;
        m_order.push_back(column);
    }
    m_values[column] = std::move(value);
}

void TableWriter::clearPending()
{
    for (int column : m_order)
        m_isSet[column] = false;
    m_order.clear();
}

const QString &TableWriter::statementText(bool insert)
{
    QVarLengthArray<int, 64> columns{insert ? -1 : -2};
    columns.append(m_order.data(), qsizetype(m_order.size()));
    const QByteArray key = QByteArray::fromRawData(reinterpret_cast<const char *>(columns.constData()),
                                                   columns.size() * qsizetype(sizeof(int)));
    if (key == m_lastKey)
        return m_lastText;
    auto it = m_texts.constFind(key);
    if (it == m_texts.constEnd()) {
        const QString table = quotedIdentifier(m_table);
        QStringList names;
        for (int c : m_order)
            names << quotedIdentifier(m_columns[c].name);
        QString sql;
        if (!insert)
            sql = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + names.join(QStringLiteral("=?,"))
                  + QStringLiteral("=? WHERE _rowid_=?");
        else if (names.isEmpty())
            sql = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" DEFAULT VALUES");
        else
            sql = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + names.join(QLatin1Char(','))
                  + QStringLiteral(") VALUES (?") + QStringLiteral(",?").repeated(names.size() - 1) + QLatin1Char(')');
        it = m_texts.insert(QByteArray(key.constData(), key.size()), sql); // a copy that owns its bytes
    }
    m_lastKey = it.key();
    m_lastText = *it;
    return m_lastText;
}

void TableWriter::bindPending(Statement &q) const
{
    int position = 0;
    for (int c : m_order) {
        const StoredValue &value = m_values[size_t(c)];
        switch (value.storage) {
        case StorageClass::Integer:
            q.bindInteger(position, value.integer);
            break;
        case StorageClass::Real:
            q.bindReal(position, value.real);
            break;
        case StorageClass::Text:
            q.bindText(position, value.text);
            break;
        case StorageClass::Null:
        case StorageClass::Blob: // never made from a text or a number
            q.bindNull(position);
            break;
        }
        ++position;
    }
}

qint64 TableWriter::insert()
{
    Statement &q = m_connection->prepared(statementText(true));
    bindPending(q);
    clearPending();
    if (!q.exec()) {
        const SqliteError error = q.lastError();
        q.finish();
        throw sqliteFailure(error, QStringLiteral("数据表 %1 不接受这条新记录").arg(m_table), m_connection->path());
    }
    q.finish();
    return q.lastInsertId();
}

void TableWriter::update(qint64 rowId)
{
    m_connection->requireOpen(); // fails on a closed connection even with nothing to write
    if (m_order.empty())
        return;
    Statement &q = m_connection->prepared(statementText(false));
    bindPending(q);
    q.bindInteger(int(m_order.size()), rowId);
    clearPending();
    if (!q.exec()) {
        const SqliteError error = q.lastError();
        q.finish();
        throw sqliteFailure(error, QStringLiteral("数据表 %1 不接受这次修改").arg(m_table), m_connection->path());
    }
    const int changed = q.numRowsAffected();
    q.finish();
    if (changed == 0)
        throw DbError(QStringLiteral("数据表 %1 里已经没有这条记录").arg(m_table));
}
