#pragma once

#include <QString>
#include <string>
#include <vector>

// The fastest the storage can do a piece of work: the same statements straight
// through SQLite's C API, no Qt and no program around them. Benchmarks print
// the program's time beside it.
namespace SqliteFloor {

// Opens the file, runs `sql` and reads every column of every row as text.
// Milliseconds, or -1 when SQLite failed (the reason goes to stderr).
double selectAll(const QString &path, const QString &sql, int *rowCount = nullptr);

struct Statement
{
    std::string sql;                 // prepared once per distinct text
    std::vector<std::string> values; // bound as text, in order
    bool readsRows = false;          // a select: every column of every row read as text
};

// Opens the file and runs the statements in one transaction. Milliseconds, or -1.
double inOneTransaction(const QString &path, const std::vector<Statement> &statements);

} // namespace SqliteFloor
