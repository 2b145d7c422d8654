#include "platform/database/Keyset.h"

#include "platform/database/DbError.h"
#include "platform/database/SqlText.h"

void Keyset::open(const QString &sql, std::shared_ptr<Connection> connection, const QStringList &keyFields)
{
    m_keys.close();
    m_head = selectHead(sql);
    if (m_head.isEmpty())
        throw DbError(QStringLiteral("不是对一张表的查询：%1").arg(sql));
    const QString narrowed = QStringLiteral("select ") + keyFields.join(QLatin1Char(',')) + QStringLiteral(" from ")
                             + tableOfSelectHead(m_head) + sql.mid(m_head.size());
    m_keys.open(narrowed, std::move(connection));
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
    record.open(m_head + QStringLiteral(" where _rowid_ = ") + QString::number(m_keys.recordIdAt(row + 1)),
                std::move(connection));
}
