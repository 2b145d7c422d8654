#include "platform/database/Connection.h"

#include "platform/database/DbError.h"
#include "platform/database/SqliteFailure.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// The file's identity on disk; false when it is not there.
bool statFile(const QString &path, quint64 *device, quint64 *inode)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    *device = info.st_dev;
    *inode = info.st_ino;
    return true;
}

// SQLite's URI form lets us say "read-write, never create"; every character
// outside the unreserved set is escaped so blanks, '#', '%', '?' and Chinese
// folder names reach the file system unchanged.
QString readWriteUri(const QString &absolutePath)
{
    return QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(absolutePath, "/"))
           + QStringLiteral("?mode=rw");
}

const QStringList kCatalogueTables = {QStringLiteral("picMain"), QStringLiteral("picType"),
                                      QStringLiteral("pData"), QStringLiteral("picLable")};

} // namespace

Connection::Connection() = default;

Connection::~Connection()
{
    close();
}

void Connection::open(const QString &path, const Connection *previous)
{
    closeDatabase();
    m_path = path;
    m_openFailed = true; // until every check below has passed
    const QFileInfo info(path);
    const QString absolute = info.absoluteFilePath();
    if (previous && previous->m_file.path == absolute)
        m_file = previous->m_file;
    if (path.isEmpty())
        throw DbError(QStringLiteral("没有图版数据库的路径"));
    if (!info.exists())
        throw DbError(QStringLiteral("图版数据库文件不存在"), path);
    if (!info.isFile())
        throw DbError(QStringLiteral("图版数据库不是一个文件"), path);

    // One thread uses a connection: SQLite's own mutex would only cost time.
    const int rc = sqlite3_open_v2(readWriteUri(absolute).toUtf8().constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const SqliteError error{rc, QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc))};
        closeDatabase();
        throw failure(error, QStringLiteral("无法打开图版数据库文件"));
    }
    sqlite3_busy_timeout(m_db, 3000);
    try {
        checkCatalogueTables();
    } catch (const DbError &) {
        closeDatabase();
        throw;
    }
    FileIdentity opened{absolute};
    statFile(absolute, &opened.device, &opened.inode);
    m_file = opened;
    m_openFailed = false;
}

void Connection::checkCatalogueTables()
{
    Statement q(m_db, QStringLiteral("select name from sqlite_master where type = 'table'"));
    if (!q.exec())
        throw failure(q.lastError(), QStringLiteral("文件不是图版数据库（SQLite 3）"));
    QStringList present;
    while (q.next())
        present << q.value(0).toString().toLower();
    QStringList missing;
    for (const QString &table : kCatalogueTables) {
        if (!present.contains(table.toLower()))
            missing << table;
    }
    if (!missing.isEmpty())
        throw DbError(QStringLiteral("不是图版数据库，缺少数据表：%1").arg(missing.join(QStringLiteral("、"))));
}

void Connection::close()
{
    m_openFailed = false;
    closeDatabase();
}

void Connection::closeDatabase()
{
    m_recent.fill(nullptr);
    m_prepared.clear(); // every statement goes before the connection
    m_columns.clear();
    m_layouts.clear();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool Connection::isOpen() const
{
    return m_db != nullptr;
}

void Connection::requireOpen() const
{
    if (!isOpen())
        throw DbError(m_path.isEmpty() ? QStringLiteral("图版数据库没有打开")
                                       : QStringLiteral("图版数据库没有打开：%1").arg(m_path));
}

void Connection::requireFileInPlace()
{
    if (m_openFailed) {
        const FileIdentity before = m_file;
        open(m_path);
        if (!before.path.isEmpty() && !(m_file == before)) {
            closeDatabase();
            m_file = before;
            m_openFailed = true; // the file read before may come back
            throw DbError(QStringLiteral("图版数据库文件已被另一个文件替换"), m_path);
        }
    }
    requireOpen();
    FileIdentity now{m_file.path};
    if (!statFile(m_file.path, &now.device, &now.inode))
        throw DbError(QStringLiteral("图版数据库文件已经不在原处（被删除或移走）"), m_path);
    if (!(now == m_file))
        throw DbError(QStringLiteral("图版数据库文件已被另一个文件替换"), m_path);
}

QString Connection::fileIdentity() const
{
    if (m_file.path.isEmpty())
        return QString();
    return QStringLiteral("%1|%2:%3").arg(m_file.path).arg(m_file.device).arg(m_file.inode);
}

DbError Connection::failure(const SqliteError &error, const QString &step, const QString &statement) const
{
    return sqliteFailure(error, step, m_path, statement);
}

void Connection::execute(const SqlStatement &statement)
{
    Statement &q = prepared(statement.prepared(), &statement);
    q.bindValues(statement.values());
    const bool ran = q.exec();
    const SqliteError error = q.lastError();
    q.finish();
    if (!ran)
        throw failure(error, QStringLiteral("图版数据库不接受这条语句"), statement.shown());
}

bool Connection::findsAny(const SqlStatement &select)
{
    Statement &q = prepared(select.prepared(), &select);
    q.bindValues(select.values());
    const bool found = q.exec() && q.next();
    const SqliteError error = q.lastError();
    q.finish();
    if (error.code != 0)
        throw failure(error, QStringLiteral("图版数据库不接受这条查询"), select.shown());
    return found;
}

void Connection::run(const char *sql, const QString &step)
{
    Statement &q = prepared(QLatin1String(sql));
    const bool ran = q.exec();
    const SqliteError error = q.lastError();
    q.finish();
    if (!ran)
        throw failure(error, step, QLatin1String(sql));
}

void Connection::beginTransaction()
{
    run("BEGIN", QStringLiteral("无法开始保存（事务）"));
}

void Connection::commit()
{
    run("COMMIT", QStringLiteral("无法提交保存"));
}

void Connection::rollback()
{
    // SQLite may have dropped the transaction itself (a full disk): nothing to
    // undo then. On the way out of a failed save a failure here adds nothing.
    if (inTransaction())
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool Connection::inTransaction() const
{
    return isOpen() && !sqlite3_get_autocommit(m_db);
}

Statement &Connection::prepared(const QString &sql, const SqlStatement *shown)
{
    requireOpen();
    for (size_t i = 0; i < m_recent.size() && m_recent[i]; ++i) {
        KeptStatements::value_type *entry = m_recent[i];
        const QString &kept = entry->first;
        if (kept.size() == sql.size()
            && std::memcmp(kept.constData(), sql.constData(), size_t(sql.size()) * sizeof(QChar)) == 0) {
            std::rotate(m_recent.begin(), m_recent.begin() + qsizetype(i), m_recent.begin() + qsizetype(i) + 1);
            entry->second.lastUse = ++m_uses;
            return *entry->second.statement;
        }
    }
    // Forms rarely differ beyond a few dozen; a bound keeps odd statements
    // (keys no form covers) from piling up over a long session.
    constexpr size_t kMostKept = 64;
    auto it = m_prepared.find(sql);
    if (it == m_prepared.end()) {
        auto q = std::make_unique<Statement>(m_db, sql);
        if (!q->isValid())
            throw failure(q->lastError(), QStringLiteral("图版数据库不接受这条语句"), shown ? shown->shown() : sql);
        if (m_prepared.size() >= kMostKept)
            forgetLeastRecentlyUsed();
        QString key = sql;
        key.detach(); // the key's own copy: a text given as raw data may change after
        it = m_prepared.emplace(std::move(key), KeptStatement{std::move(q)}).first;
    }
    it->second.lastUse = ++m_uses;
    std::move_backward(m_recent.begin(), m_recent.end() - 1, m_recent.end());
    m_recent.front() = &*it;
    return *it->second.statement;
}

void Connection::forgetLeastRecentlyUsed()
{
    auto oldest = std::min_element(m_prepared.begin(), m_prepared.end(), [](const auto &a, const auto &b) {
        return a.second.lastUse < b.second.lastUse;
    });
    if (oldest == m_prepared.end())
        return;
    const auto recent = std::find(m_recent.begin(), m_recent.end(), &*oldest);
    if (recent != m_recent.end()) {
        std::move(recent + 1, m_recent.end(), recent);
        m_recent.back() = nullptr;
    }
    m_prepared.erase(oldest);
}

const QVector<TableColumn> &Connection::columnsOf(const QString &table)
{
    const QString key = table.toLower();
    auto it = m_columns.find(key);
    if (it != m_columns.end())
        return *it;
    requireOpen();
    QString quoted = table;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    Statement q(m_db, QStringLiteral("PRAGMA table_info(\"%1\")").arg(quoted));
    if (!q.exec())
        throw failure(q.lastError(), QStringLiteral("读不出数据表 %1 的列").arg(table));
    QVector<TableColumn> columns;
    int primaryKeyColumns = 0;
    while (q.next()) {
        const bool isPrimaryKey = q.value(5).toInt() > 0;
        primaryKeyColumns += isPrimaryKey ? 1 : 0;
        const QString type = q.value(2).toString();
        columns.push_back({q.value(1).toString(), columnKindOf(type),
                           isPrimaryKey && type.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0});
    }
    if (primaryKeyColumns > 1) { // a composite key is no row identity
        for (TableColumn &column : columns)
            column.isRowId = false;
    }
    if (columns.isEmpty())
        throw DbError(QStringLiteral("没有数据表 %1").arg(table));
    return *m_columns.insert(key, columns);
}
