#pragma once

#include "platform/database/Connection.h"
#include "platform/database/SqlStatement.h"
#include "platform/database/StoredRows.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

// The rows of one select over one table, all read when it opens (so the count
// is known at once), reached by absolute position 1..count. Fields are read
// by column name without regard to case. It only reads: a save writes through
// TableWriter, by the record id each row keeps. Every failure throws DbError.
class Recordset
{
public:
    // `select` is one built by SqlStatement::select(), which names its table.
    void open(const SqlStatement &select, const std::shared_ptr<Connection> &connection);
    void close();
    bool isOpen() const { return m_open; }

    int recordCount() const { return m_rows.rowCount(); }
    int absolutePosition() const { return m_position; } // 0: no current record
    void setAbsolutePosition(int position);
    // Reads that leave the current record alone, by absolute position 1..count.
    qint64 recordIdAt(int position) const;
    QString textAt(int position, int fieldIndex) const;
    QVariant valueAt(int position, int fieldIndex) const;

    QVariant value(const QString &field) const;
    QString text(const QString &field) const; // valueText() of value(); NULL gives empty text
    // For long reads: look a field up once, then read it by its index.
    int fieldIndex(const QString &field) const; // throws for a field not in the result
    QVariant value(int fieldIndex) const;
    QString text(int fieldIndex) const;
    // The text a read gives back once `value` is written to `field` ("1.50"
    // reads back as 1.5); nothing when the field cannot take it.
    std::optional<QString> storedText(const QString &field, const QVariant &value) const;

private:
    void readRows(Statement &q);
    void requirePosition(int position) const;
    void requireField(int fieldIndex) const;
    void requireCurrentRecord() const;

    bool m_open = false;
    std::shared_ptr<const ResultLayout> m_layout;
    StoredRows m_rows;
    int m_position = 0;
};
