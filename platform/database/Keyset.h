#pragma once

#include "platform/database/Recordset.h"

#include <QString>
#include <QStringList>
#include <memory>

// The records of a select over one table in its order, read as keys: each
// record's rowid and a few fields. The rest of a record is read when asked
// for, so a long list shows its first rows without reading every value.
class Keyset
{
public:
    // Runs `select` with its field list narrowed to `keyFields`; throws DbError.
    void open(const SqlStatement &select, std::shared_ptr<Connection> connection, const QStringList &keyFields);
    int count() const { return m_keys.recordCount(); }
    // The text of key field `k` of record `row` (0-based), as read with the keys.
    QString keyText(int row, int k) const;
    // Opens `record` on record `row` as it is stored now, read through
    // `connection` (the file may have been opened again since the keys were
    // read), with the fields of the select; it has no record when another
    // program deleted it since. Throws DbError.
    void readRecord(int row, Recordset &record, std::shared_ptr<Connection> connection) const;

private:
    Recordset m_keys;
    QString m_fields, m_table; // of the select, for reading a whole record
    QList<int> m_keyFields; // field indexes in m_keys
};
