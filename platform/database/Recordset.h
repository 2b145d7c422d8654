#pragma once

#include "platform/database/Connection.h"
#include "platform/database/SqlStatement.h"
#include "platform/database/StoredRows.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The rows of one select over one table, all read when it opens (so the count
// is known at once), reached by absolute position 1..count. Fields are read
// and written by column name without regard to case; writes are converted by
// the column's declared type and held until update() writes them back.
// Every failure throws DbError.
class Recordset
{
public:
    // `select` is one built by SqlStatement::select(), which names its table.
    void open(const SqlStatement &select, std::shared_ptr<Connection> connection);
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
    void setValue(const QString &field, const QVariant &value);
    // The text a read gives back once `value` is written to `field` ("1.50"
    // reads back as 1.5); nothing when the field cannot take it.
    std::optional<QString> storedText(const QString &field, const QVariant &value) const;

    void addNew();
    void update();

private:
    void readRows(Statement &q);
    void requirePosition(int position) const;
    const QVariant *pendingValue(int fieldIndex) const;
    const QString &writeStatement(bool insert) const;
    const TableColumn &writableColumn(int fieldIndex) const;
    void requireCurrentRecord() const;
    void insertPending();
    void updatePending();

    bool m_open = false;
    std::shared_ptr<Connection> m_connection;
    std::shared_ptr<const ResultLayout> m_layout;
    StoredRows m_rows;
    int m_position = 0;

    bool m_adding = false;
    std::vector<std::pair<int, QVariant>> m_pending; // field index and value as it will be stored, by field
};
