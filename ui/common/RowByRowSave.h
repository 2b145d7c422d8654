#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// A changed row whose record another program changed since it was read, in a
// field the user changed too, to another value: the save stops before it,
// and the user decides.
struct WriteConflict
{
    int row = -1;
    QStringList storedCells; // the record as stored now, cell by cell as the list shows it
    QList<int> cells;        // the cells both changed
    QString question;        // names the record and what each side made of those cells
};

// How far a save got: the rows whose writes were committed, in the order they
// were given, and why it stopped (empty when every row was written).
struct SaveOutcome
{
    std::vector<int> written;
    QString failure;
    bool committed = false; // the transaction went through (also when it held no row)
    std::optional<WriteConflict> conflict; // the row the save stopped before, not a failure
};

struct RowWriter
{
    // The catalogue file the rows were read from (Connection::fileIdentity):
    // a save never writes them into another file.
    QString readFrom;
    // Runs inside the transaction before the rows; when it fails nothing is written.
    std::function<void()> start;
    std::function<void(int row)> write;       // throws DbError or WriteConflict
    std::function<QString(int row)> describe; // "第 3 行（点号 5*）", for the failure text
    // Runs inside the transaction after the rows, with the rows written; when
    // it fails nothing at all is committed.
    std::function<void(const std::vector<int> &written)> finish;
    // Every row writes with one statement at the most, after everything of
    // it that can fail: SQLite undoes a failing statement whole, so a row
    // needs no savepoint of its own to leave nothing of itself behind.
    bool oneStatementPerRow = false;
    // The same, asked row by row, for a save whose rows differ.
    std::function<bool(int row)> writesOneStatement;
};

// The save of every window: writes `rows` in order inside one transaction on
// gConn, each row in a savepoint of its own (unless it writes one statement),
// so a failing row leaves nothing of itself behind. The save stops at the first failing row and commits the
// rows before it; a failing commit commits nothing, and so does a failure
// after which the database has dropped the transaction (a full disk). A row
// that meets a write conflict is left unwritten like a failing row, and the
// rows before it are committed; the outcome names the conflict. Without rows and without
// a finishing step the catalogue is not touched. On the host's read-only
// catalogue every save is refused before anything is written.
SaveOutcome saveRowByRow(const std::vector<int> &rows, const RowWriter &writer);
