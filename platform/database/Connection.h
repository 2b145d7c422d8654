#pragma once

#include "platform/database/ColumnKind.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVector>
#include <memory>

// A column of a catalogue table as the storage layer converts it.
struct TableColumn
{
    QString name;
    ColumnKind kind = ColumnKind::Untyped;
    bool isRowId = false; // an INTEGER PRIMARY KEY: writing it moves the row's identity
};

// What a select's result looks like: its fields and the table column behind
// each, worked out once per statement form ("select * from picMain") and kept
// for the life of the connection.
struct ResultLayout
{
    QString table;
    QStringList fieldNames;
    QHash<QString, int> fieldByName;      // as the result spells them: the usual lookup
    QHash<QString, int> fieldByLowerName; // any other spelling
    QStringList quotedColumnOfField;      // for writing statements; empty for an expression
    QVector<int> tableColumnOfField; // -1 for an expression
    QVector<TableColumn> tableColumns;
};

// One open catalogue file. Opening never creates a file and refuses anything
// that is not an SQLite catalogue with the four catalogue tables.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    void open(const QString &path); // throws DbError with the reason
    void close();                   // harmless when not open
    bool isOpen() const;
    QString path() const { return m_path; }

    // Runs `sql` through the prepared form of statementForm(); throws DbError.
    void execute(const QString &sql);
    // Throws DbError when the file opened is no longer at its path: deleted,
    // moved or replaced by another file. Writes would then land in a file
    // nobody will ever read again.
    void requireFileInPlace() const;

    // Groups the statements of one save; a failing save commits what came before.
    void beginTransaction();
    void commit();
    void rollback();

    // Throws DbError when the connection is not open.
    QSqlDatabase database() const;
    // One prepared query per statement text, kept while the connection is open
    // (a bounded number of them). A failure names `shownSql`, the statement as
    // the caller wrote it, when given.
    QSqlQuery &prepared(const QString &sql, const QString &shownSql = QString());
    // The columns of `table`, in table order; throws DbError for an unknown table.
    const QVector<TableColumn> &columnsOf(const QString &table);
    // The layout of results of `head` (a select up to its table name); null until recorded.
    std::shared_ptr<const ResultLayout> layoutOf(const QString &head) const { return m_layouts.value(head); }
    void recordLayout(const QString &head, std::shared_ptr<const ResultLayout> layout) { m_layouts.insert(head, layout); }

private:
    void requireOpen() const;
    void checkCatalogueTables();

    QString m_name;
    QString m_path;
    QHash<QString, QSqlQuery> m_prepared;
    QHash<QString, QVector<TableColumn>> m_columns;
    QHash<QString, std::shared_ptr<const ResultLayout>> m_layouts;
    QSqlDatabase m_db;
    quint64 m_device = 0, m_inode = 0; // of the file opened
};
