#pragma once

#include "platform/database/ColumnKind.h"
#include "platform/database/Connection.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <memory>
#include <vector>

// Writes records of one table and keeps none of them: each value is
// converted by its column's kind straight from the text or number given and
// bound by its type into an INSERT or UPDATE prepared once per set of
// columns (a save of many rows sets the same columns in every one). What a
// save reads back it reads with a select of its own.
class TableWriter
{
public:
    // Throws DbError for an unknown table or a connection that is not open.
    TableWriter(std::shared_ptr<Connection> connection, const QString &table);

    // The column's index in the table, looked up once; throws DbError for a
    // column the table does not have.
    int column(const QString &name) const;
    const QString &columnName(int column) const;

    // Values of the next write; throw DbError when the column cannot take
    // them, and the values set before are then dropped.
    void setText(int column, const QString &text);
    void setNumber(int column, double number);

    // Writes the values set, then forgets them. insert() gives the new
    // record's rowid; update() throws when record `rowId` has gone. An
    // update with nothing set writes nothing. Throw DbError.
    qint64 insert();
    void update(qint64 rowId);

private:
    void set(int column, StoredValue &&value);
    void clearPending();
    const QString &statementText(bool insert);
    void bindPending(Statement &q) const;

    std::shared_ptr<Connection> m_connection;
    QString m_table;
    QVector<TableColumn> m_columns;
    QHash<QString, int> m_columnByName, m_columnByLowerName;
    // The values of the next write by column, and the columns set in the
    // order they were set (a column set again keeps its place).
    std::vector<StoredValue> m_values;
    std::vector<char> m_isSet;
    std::vector<int> m_order;
    // The statement texts written so far, by the columns they set (-1 in
    // front for an insert); the last one used is tried first.
    QHash<QByteArray, QString> m_texts;
    QByteArray m_lastKey;
    QString m_lastText;
};
