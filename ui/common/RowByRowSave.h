#pragma once

#include <QString>
#include <functional>
#include <vector>

// How far a save got: the rows whose writes were committed, in the order they
// were given, and why it stopped (empty when every row was written).
struct SaveOutcome
{
    std::vector<int> written;
    QString failure;
    bool committed = false; // the transaction went through (also when it held no row)
};

struct RowWriter
{
    std::function<void(int row)> write;       // throws DbError
    std::function<QString(int row)> describe; // "第 3 行（点号 5*）", for the failure text
    // Runs inside the transaction after the rows, with the rows written; when
    // it fails nothing at all is committed.
    std::function<void(const std::vector<int> &written)> finish;
};

// The save of every window: writes `rows` in order inside one transaction on
// gConn, each row in a savepoint of its own, so a failing row leaves nothing
// of itself behind. The save stops at the first failing row and commits the
// rows before it; a failing commit commits nothing, and so does a failure
// after which the database has dropped the transaction (a full disk). Without rows and without
// a finishing step the catalogue is not touched. On the host's read-only
// catalogue every save is refused before anything is written.
SaveOutcome saveRowByRow(const std::vector<int> &rows, const RowWriter &writer);
