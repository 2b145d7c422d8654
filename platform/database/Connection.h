#pragma once

#include "platform/database/ColumnKind.h"
#include "platform/database/DbError.h"
#include "platform/database/SqlStatement.h"
#include "platform/database/Statement.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <memory>
#include <unordered_map>

struct sqlite3;

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
    QVector<int> tableColumnOfField; // -1 for an expression
    QVector<bool> isBooleanField;    // of a boolean column: read as the program sees it
    QVector<TableColumn> tableColumns;
};

// One open catalogue file. Opening never creates a file and refuses anything
// that is not an SQLite catalogue with the four catalogue tables.
// A connection whose open failed (a lock by another program, a file missing
// for a while) tries again when a save asks for the file.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Throws DbError with the cause. When it fails, the file that `previous`
    // had open at the same path is the one a later try must find there.
    void open(const QString &path, const Connection *previous = nullptr);
    void close(); // harmless when not open
    bool isOpen() const;
    QString path() const { return m_path; }

    // Runs a statement that returns no rows; throws DbError naming its text.
    void execute(const SqlStatement &statement);
    // Whether a select finds any record, read no further than that; throws
    // DbError naming its text.
    bool findsAny(const SqlStatement &select);
    // Before a save. Opens the file again when the last open failed; throws
    // DbError when that fails, and when the file opened (or, after a failed
    // open, the one read before) is no longer at its path: deleted, moved or
    // replaced by another file. Writes would then land in a file nobody will
    // ever read again.
    void requireFileInPlace();
    // Names the file opened (after a failed open, the one read before): the
    // same text for as long as the same file stands at the path, another one
    // once it was replaced. Empty when no file was ever opened.
    QString fileIdentity() const;

    // Groups the statements of one save; a failing save commits what came before.
    void beginTransaction();
    void commit();
    void rollback();
    // A transaction is open: false once SQLite has dropped it after a failure.
    bool inTransaction() const;

    // One prepared statement per statement text, kept while the connection is
    // open (a bounded number of them: the one used longest ago goes first).
    // A failure names the statement as a person reads it, `shown`, when
    // given. Throws DbError when the connection is not open. The reference
    // holds until a few dozen other texts have been prepared.
    Statement &prepared(const QString &sql, const SqlStatement *shown = nullptr);
    // The columns of `table`, in table order; throws DbError for an unknown table.
    const QVector<TableColumn> &columnsOf(const QString &table);
    // The layout of results of `head` (a select up to its table name); null until recorded.
    std::shared_ptr<const ResultLayout> layoutOf(const QString &head) const { return m_layouts.value(head); }
    void recordLayout(const QString &head, std::shared_ptr<const ResultLayout> layout) { m_layouts.insert(head, layout); }

    // Throws DbError naming the file when the connection is not open.
    void requireOpen() const;

private:
    struct FileIdentity
    {
        QString path; // absolute
        quint64 device = 0, inode = 0;
        bool operator==(const FileIdentity &) const = default;
    };

    void checkCatalogueTables();
    void closeDatabase();
    void run(const char *sql, const QString &step); // a statement without values or rows
    DbError failure(const SqliteError &error, const QString &step, const QString &statement = QString()) const;

    struct KeptStatement
    {
        std::unique_ptr<Statement> statement;
        quint64 lastUse = 0;
    };
    using KeptStatements = std::unordered_map<QString, KeptStatement>;
    void forgetLeastRecentlyUsed();

    QString m_path;
    KeptStatements m_prepared; // its keys own their text
    // The statements used last, the latest first: a save sends the same few
    // texts for every row, and these are found by comparing the text, without
    // hashing it.
    std::array<KeptStatements::value_type *, 6> m_recent{};
    quint64 m_uses = 0;
    QHash<QString, QVector<TableColumn>> m_columns;
    QHash<QString, std::shared_ptr<const ResultLayout>> m_layouts;
    sqlite3 *m_db = nullptr;
    FileIdentity m_file;      // of the file opened; empty path when none is known
    bool m_openFailed = false; // the last open failed and no close came since
};
