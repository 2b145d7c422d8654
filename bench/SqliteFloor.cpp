#include "bench/SqliteFloor.h"

#include <QElapsedTimer>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <sqlite3.h>

namespace SqliteFloor {

namespace {

bool failed(sqlite3 *db, const char *what)
{
    std::fprintf(stderr, "sqlite floor: %s: %s\n", what, sqlite3_errmsg(db));
    return true;
}

// Cells one after another, each a storage class byte and its payload, in
// blocks that are never moved once filled (no doubling copies).
class Arena
{
public:
    void integer(sqlite3_int64 value) { fixed(SQLITE_INTEGER, value); }
    void real(double value) { fixed(SQLITE_FLOAT, value); }
    void bytes(int storageClass, const void *data, int size)
    {
        const std::uint32_t length = std::uint32_t(size);
        char *cell = reserve(1 + sizeof length + length);
        cell[0] = char(storageClass);
        std::memcpy(cell + 1, &length, sizeof length);
        if (length)
            std::memcpy(cell + 1 + sizeof length, data, length);
    }
    void null() { *reserve(1) = char(SQLITE_NULL); }

private:
    static constexpr std::size_t kBlock = std::size_t(1) << 20;

    template <typename T>
    void fixed(int storageClass, T value)
    {
        char *cell = reserve(1 + sizeof value);
        cell[0] = char(storageClass);
        std::memcpy(cell + 1, &value, sizeof value);
    }
    char *reserve(std::size_t size)
    {
        if (m_used + size > m_capacity) [[unlikely]]
            newBlock(size);
        char *at = m_block + m_used;
        m_used += size;
        return at;
    }
    [[gnu::noinline]] void newBlock(std::size_t size)
    {
        m_capacity = std::max(kBlock, size);
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(m_capacity));
        m_block = m_blocks.back().get();
        m_used = 0;
    }

    std::vector<std::unique_ptr<char[]>> m_blocks;
    char *m_block = nullptr;
    std::size_t m_used = 0;
    std::size_t m_capacity = 0;
};

sqlite3 *openFast(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        failed(db, "open");
        sqlite3_close(db);
        return nullptr;
    }
    // 512 MB at most, taken only as pages are read: the sort of 100,000 rows stays in memory.
    sqlite3_exec(db, "PRAGMA cache_size = -524288", nullptr, nullptr, nullptr);
    return db;
}

// A column's value by its storage class.
void keep(sqlite3_stmt *statement, int c, Arena &arena)
{
    switch (const int storageClass = sqlite3_column_type(statement, c)) {
    case SQLITE_INTEGER:
        arena.integer(sqlite3_column_int64(statement, c));
        break;
    case SQLITE_FLOAT:
        arena.real(sqlite3_column_double(statement, c));
        break;
    case SQLITE_TEXT:
        arena.bytes(storageClass, sqlite3_column_text(statement, c), sqlite3_column_bytes(statement, c));
        break;
    case SQLITE_BLOB:
        arena.bytes(storageClass, sqlite3_column_blob(statement, c), sqlite3_column_bytes(statement, c));
        break;
    default:
        arena.null();
    }
}

// Steps a statement to its end; a select's columns are kept by storage class.
bool runToEnd(sqlite3 *db, sqlite3_stmt *statement, bool readsRows, Arena &arena, int *rows)
{
    int rc;
    const int columns = sqlite3_column_count(statement);
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        if (rows)
            ++*rows;
        if (!readsRows)
            continue;
        for (int c = 0; c < columns; ++c)
            keep(statement, c, arena);
    }
    return rc == SQLITE_DONE || !failed(db, "step");
}

void bind(sqlite3_stmt *statement, int position, const Value &value)
{
    if (const auto *integer = std::get_if<std::int64_t>(&value))
        sqlite3_bind_int64(statement, position, *integer);
    else if (const auto *real = std::get_if<double>(&value))
        sqlite3_bind_double(statement, position, *real);
    else {
        const std::string &text = std::get<std::string>(value);
        sqlite3_bind_text(statement, position, text.data(), int(text.size()), SQLITE_STATIC);
    }
}

} // namespace

double selectAll(const QString &path, const QString &sql, int *rowCount)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = openFast(path);
    if (!db)
        return -1;
    sqlite3_stmt *statement = nullptr;
    Arena arena;
    int rows = 0;
    const QByteArray text = sql.toUtf8();
    const bool ok = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr) == SQLITE_OK
                    && runToEnd(db, statement, true, arena, &rows);
    if (!ok)
        failed(db, "select");
    sqlite3_finalize(statement);
    sqlite3_close(db);
    if (rowCount)
        *rowCount = rows;
    return ok ? timer.nsecsElapsed() / 1e6 : -1;
}

double keysThenRows(const QString &path, const QString &keysSql, const QString &rowSql, int rowsShown, int *rowCount)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = openFast(path);
    if (!db)
        return -1;
    sqlite3_stmt *keys = nullptr, *row = nullptr;
    Arena arena;
    std::vector<std::int64_t> rowIds;
    const QByteArray keysText = keysSql.toUtf8(), rowText = rowSql.toUtf8();
    bool ok = sqlite3_prepare_v2(db, keysText.constData(), int(keysText.size()), &keys, nullptr) == SQLITE_OK
              && sqlite3_prepare_v2(db, rowText.constData(), int(rowText.size()), &row, nullptr) == SQLITE_OK;
    int rc = SQLITE_DONE;
    const int columns = ok ? sqlite3_column_count(keys) : 0;
    while (ok && (rc = sqlite3_step(keys)) == SQLITE_ROW) {
        rowIds.push_back(sqlite3_column_int64(keys, 0));
        for (int c = 1; c < columns; ++c)
            keep(keys, c, arena);
    }
    ok = ok && rc == SQLITE_DONE;
    for (size_t i = 0; ok && i < rowIds.size() && i < size_t(rowsShown); ++i) {
        sqlite3_reset(row);
        sqlite3_bind_int64(row, 1, rowIds[i]);
        ok = runToEnd(db, row, true, arena, nullptr);
    }
    if (!ok)
        failed(db, "keys and rows");
    sqlite3_finalize(keys);
    sqlite3_finalize(row);
    sqlite3_close(db);
    if (rowCount)
        *rowCount = int(rowIds.size());
    return ok ? timer.nsecsElapsed() / 1e6 : -1;
}

double inOneTransaction(const QString &path, const std::vector<Statement> &statements)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = openFast(path);
    if (!db)
        return -1;
    std::map<std::string, sqlite3_stmt *> prepared;
    Arena arena;
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
            bind(statement, int(i + 1), s.values[i]);
        ok = runToEnd(db, statement, s.readsRows, arena, nullptr);
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
