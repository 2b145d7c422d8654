#include "platform/database/Keyset.h"

#include "platform/database/DbError.h"

void Keyset::open(const SqlStatement &select, std::shared_ptr<Connection> connection, const QStringList &keyFields)
{
    m_keys.close();
    m_fields = select.fields();
    m_table = select.table();
    m_keys.open(select.withFields(keyFields.join(QLatin1Char(','))), std::move(connection));
    m_keyFields.clear();
    for (const QString &field : keyFields)
        m_keyFields << m_keys.fieldIndex(field);
}

QString Keyset::keyText(int row, int k) const
{
    return m_keys.textAt(row + 1, m_keyFields[k]);
}

void Keyset::readRecord(int row, Recordset &record, std::shared_ptr<Connection> connection) const
{
    record.open(SqlStatement::select(m_fields, m_table).fixed(QStringLiteral(" where _rowid_ = ")).key(m_keys.recordIdAt(row + 1)),
                std::move(connection));
}
