#include "platform/database/Statement.h"

#include "platform/database/StorageClass.h"

#include <sqlite3.h>

namespace {

SqliteError errorOf(sqlite3 *db, int code)
{
    return {code, QString::fromUtf8(sqlite3_errmsg(db))};
}

} // namespace

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        m_error = errorOf(db, rc);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    } else if (!m_stmt) {
        m_error = {SQLITE_MISUSE, QStringLiteral("empty statement")};
    } else {
        // Sized once: a short text lives inside its string, which must not move.
        m_boundTexts.resize(size_t(sqlite3_bind_parameter_count(m_stmt)));
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bindValues(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        bindValue(i, values[i]);
}

void Statement::bindValue(int position, const QVariant &value)
{
    switch (storageClassOf(value)) {
    case StorageClass::Null:
        bindNull(position);
        return;
    case StorageClass::Integer:
        bindInteger(position, value.toLongLong());
        return;
    case StorageClass::Real:
        bindReal(position, value.toDouble());
        return;
    case StorageClass::Blob: {
        const int index = boundIndex(position);
        if (index == 0)
            return;
        const QByteArray &bytes = keptBytes(position, value.toByteArray());
        sqlite3_bind_blob64(m_stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_STATIC);
        return;
    }
    case StorageClass::Text:
        bindText(position, value.toString());
        return;
    }
}

int Statement::boundIndex(int position)
{
    if (!m_stmt)
        return 0;
    if (m_stepped) // SQLite takes values only before the first step
        finish();
    return position + 1;
}

void Statement::bindNull(int position)
{
    if (const int index = boundIndex(position))
        sqlite3_bind_null(m_stmt, index);
}

void Statement::bindInteger(int position, qint64 value)
{
    if (const int index = boundIndex(position))
        sqlite3_bind_int64(m_stmt, index, value);
}

void Statement::bindReal(int position, double value)
{
    if (const int index = boundIndex(position))
        sqlite3_bind_double(m_stmt, index, value);
}

void Statement::bindText(int position, const QString &text)
{
    const int index = boundIndex(position);
    if (index == 0)
        return;
    // The position's buffer is written over: SQLite reads it only from the
    // bind below on. Written as UTF-8 in place; only a text with surrogate
    // pairs (or a broken one) goes through Qt's converter and a copy.
    if (m_boundTexts.size() <= size_t(position))
        return; // no such parameter
    std::string &utf8 = m_boundTexts[size_t(position)];
    const qsizetype size = text.size();
    utf8.resize(size_t(size) * 3); // the most a character below U+10000 takes
    char *out = utf8.data();
    const auto *units = reinterpret_cast<const char16_t *>(text.constData());
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = units[i];
        if (u < 0x80) {
            *out++ = char(u);
        } else if (u < 0x800) {
            *out++ = char(0xC0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3F));
        } else if (QChar::isSurrogate(u)) {
            const QByteArray converted = text.toUtf8();
            utf8.assign(converted.constData(), size_t(converted.size()));
            out = utf8.data() + utf8.size();
            break;
        } else {
            *out++ = char(0xE0 | (u >> 12));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        }
    }
    utf8.resize(size_t(out - utf8.data()));
    sqlite3_bind_text64(m_stmt, index, utf8.data(), sqlite3_uint64(utf8.size()), SQLITE_STATIC, SQLITE_UTF8);
}

const QByteArray &Statement::keptBytes(int position, QByteArray bytes)
{
    if (m_boundBytes.size() <= size_t(position))
        m_boundBytes.resize(size_t(position) + 1);
    // Bound next, over the old bytes' binding: those may go now.
    m_boundBytes[size_t(position)] = std::move(bytes);
    return m_boundBytes[size_t(position)];
}

bool Statement::step()
{
    m_stepped = true;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    m_done = true;
    if (rc != SQLITE_DONE)
        m_error = errorOf(m_db, rc);
    return false;
}

bool Statement::exec()
{
    if (!m_stmt)
        return false;
    sqlite3_reset(m_stmt);
    m_error = {};
    m_done = false;
    m_rowWaiting = step();
    return m_error.code == 0;
}

bool Statement::next()
{
    if (m_rowWaiting) {
        m_rowWaiting = false;
        return true;
    }
    return !m_done && step();
}

int Statement::columnCount() const
{
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(m_stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_stmt, column);
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
    }
    case SQLITE_BLOB: {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
        return QByteArray(bytes, sqlite3_column_bytes(m_stmt, column));
    }
    default:
        return QVariant();
    }
}

qint64 Statement::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Statement::numRowsAffected() const
{
    return sqlite3_changes(m_db);
}

void Statement::finish()
{
    if (m_stmt)
        sqlite3_reset(m_stmt);
    m_stepped = false;
    m_rowWaiting = false;
    m_done = true;
}
