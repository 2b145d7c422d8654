#include "bench/SqliteFloor.h"

#include <QElapsedTimer>
#include <cstdio>
#include <map>
#include <sqlite3.h>

namespace SqliteFloor {

namespace {

bool failed(sqlite3 *db, const char *what)
{
    std::fprintf(stderr, "sqlite floor: %s: %s\n", what, sqlite3_errmsg(db));
    return true;
}

// Steps a statement to its end; a select's columns are copied out as a program would.
bool runToEnd(sqlite3 *db, sqlite3_stmt *statement, bool readsRows, std::vector<std::string> &cells, int *rows)
{
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        if (rows)
            ++*rows;
        if (!readsRows)
            continue;
        const int columns = sqlite3_column_count(statement);
        for (int c = 0; c < columns; ++c) {
            const unsigned char *text = sqlite3_column_text(statement, c);
            cells.emplace_back(text ? reinterpret_cast<const char *>(text) : "");
        }
    }
    return rc == SQLITE_DONE || !failed(db, "step");
}

} // namespace

double selectAll(const QString &path, const QString &sql, int *rowCount)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    sqlite3_stmt *statement = nullptr;
    std::vector<std::string> cells;
    int rows = 0;
    bool ok = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK
              && sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK
              && runToEnd(db, statement, true, cells, &rows);
    if (!ok)
        failed(db, "select");
    sqlite3_finalize(statement);
    sqlite3_close(db);
    if (rowCount)
        *rowCount = rows;
    return ok ? timer.nsecsElapsed() / 1e6 : -1;
}

double inOneTransaction(const QString &path, const std::vector<Statement> &statements)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        failed(db, "open");
        sqlite3_close(db);
        return -1;
    }
    std::map<std::string, sqlite3_stmt *> prepared;
    std::vector<std::string> cells;
    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    for (const Statement &s : statements) {
        if (!ok)
            break;
        sqlite3_stmt *&statement = prepared[s.sql];
        if (!statement && sqlite3_prepare_v2(db, s.sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            ok = !failed(db, "prepare");
            break;
        }
        sqlite3_reset(statement);
        for (size_t i = 0; i < s.values.size(); ++i)
            sqlite3_bind_text(statement, int(i + 1), s.values[i].c_str(), -1, SQLITE_TRANSIENT);
        ok = runToEnd(db, statement, s.readsRows, cells, nullptr);
    }
    for (auto &entry : prepared)
        sqlite3_finalize(entry.second);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ok)
        failed(db, "transaction");
    sqlite3_close(db);
    return ok ? timer.nsecsElapsed() / 1e6 : -1;
}

} // namespace SqliteFloor
