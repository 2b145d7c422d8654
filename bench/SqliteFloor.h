#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// The fastest the storage can do a piece of work: the same statements straight
// through SQLite's C API, with none of the per-call work a general layer does.
// The connection takes no mutex (one thread), its page cache is large enough
// that an ORDER BY sorts in memory, and every value is read by its storage
// class (integer, real, text, blob) into one growing arena, the way a program
// that keeps the values would have to hold them at the least. Not done: no
// value is turned into text or into a Qt type, nothing is shown.
namespace SqliteFloor {

// Opens the file, runs `sql` and reads every column of every row.
// Milliseconds, or -1 when SQLite failed (the reason goes to stderr).
double selectAll(const QString &path, const QString &sql, int *rowCount = nullptr);

// Opens the file, reads the keys of a list (`keysSql`, the rowid in its first
// column, every column of every row read), then its first `rowsShown` rows by
// rowid through `rowSql` ("... where _rowid_ = ?"): a list that reads its
// keys first and a row when it is shown. Milliseconds, or -1.
double keysThenRows(const QString &path, const QString &keysSql, const QString &rowSql, int rowsShown,
                    int *rowCount = nullptr);

// Bound by its own storage class, as a program that knows its columns binds.
using Value = std::variant<std::int64_t, double, std::string>;

struct Statement
{
    std::string sql;           // prepared once per distinct text
    std::vector<Value> values; // bound in order
    bool readsRows = false;    // a select: every column of every row read
};

// Opens the file and runs the statements in one transaction. Milliseconds, or -1.
double inOneTransaction(const QString &path, const std::vector<Statement> &statements);

} // namespace SqliteFloor
