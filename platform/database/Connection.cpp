#include "platform/database/Connection.h"

#include "platform/database/DbError.h"
#include "platform/database/SqliteFailure.h"
#include "platform/database/StatementForm.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>
#include <atomic>
#include <sys/stat.h>

namespace {

// The file's identity on disk; false when it is not there.
bool fileIdentity(const QString &path, quint64 *device, quint64 *inode)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    *device = info.st_dev;
    *inode = info.st_ino;
    return true;
}

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("catalogue-%1").arg(++counter);
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

Connection::Connection() : m_name(nextConnectionName()) {}

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

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=3000"));
    db.setDatabaseName(readWriteUri(absolute));
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        closeDatabase();
        throw failure(error, QStringLiteral("无法打开图版数据库文件"));
    }
    m_db = db;
    try {
        checkCatalogueTables();
    } catch (const DbError &) {
        db = QSqlDatabase();
        closeDatabase();
        throw;
    }
    FileIdentity opened{absolute};
    fileIdentity(absolute, &opened.device, &opened.inode);
    m_file = opened;
    m_openFailed = false;
}

void Connection::checkCatalogueTables()
{
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    if (!q.exec(QStringLiteral("select name from sqlite_master where type = 'table'")))
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
    m_prepared.clear();
    m_columns.clear();
    m_layouts.clear();
    m_db = QSqlDatabase();
    if (QSqlDatabase::contains(m_name)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
}

bool Connection::isOpen() const
{
    return m_db.isOpen();
}

void Connection::requireOpen() const
{
    if (!isOpen())
        throw DbError(m_path.isEmpty() ? QStringLiteral("图版数据库没有打开")
                                       : QStringLiteral("图版数据库没有打开：%1").arg(m_path));
}

QSqlDatabase Connection::database() const
{
    requireOpen();
    return m_db;
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
    if (!fileIdentity(m_file.path, &now.device, &now.inode))
        throw DbError(QStringLiteral("图版数据库文件已经不在原处（被删除或移走）"), m_path);
    if (!(now == m_file))
        throw DbError(QStringLiteral("图版数据库文件已被另一个文件替换"), m_path);
}

DbError Connection::failure(const QSqlError &error, const QString &step, const QString &statement) const
{
    return sqliteFailure(error, step, m_path, statement);
}

void Connection::execute(const QString &sql)
{
    const StatementForm form = statementForm(sql);
    QSqlQuery &q = prepared(form.sql, sql);
    for (int i = 0; i < form.values.size(); ++i)
        q.bindValue(i, form.values[i]);
    const bool ran = q.exec();
    const QSqlError error = q.lastError();
    q.finish();
    if (!ran)
        throw failure(error, QStringLiteral("图版数据库不接受这条语句"), sql);
}

void Connection::beginTransaction()
{
    QSqlDatabase db = database();
    if (!db.transaction())
        throw failure(db.lastError(), QStringLiteral("无法开始保存（事务）"));
}

void Connection::commit()
{
    QSqlDatabase db = database();
    if (!db.commit())
        throw failure(db.lastError(), QStringLiteral("无法提交保存"));
}

void Connection::rollback()
{
    if (isOpen())
        database().rollback();
}

QSqlQuery &Connection::prepared(const QString &sql, const QString &shownSql)
{
    // Forms rarely differ beyond a few dozen; a bound keeps odd statements
    // (keys no form covers) from piling up over a long session.
    constexpr qsizetype kMostKept = 64;
    requireOpen();
    auto it = m_prepared.find(sql);
    if (it == m_prepared.end()) {
        QSqlQuery q(database());
        if (!q.prepare(sql))
            throw failure(q.lastError(), QStringLiteral("图版数据库不接受这条语句"), shownSql.isEmpty() ? sql : shownSql);
        if (m_prepared.size() >= kMostKept)
            m_prepared.clear();
        it = m_prepared.insert(sql, q);
    }
    return *it;
}

const QVector<TableColumn> &Connection::columnsOf(const QString &table)
{
    const QString key = table.toLower();
    auto it = m_columns.find(key);
    if (it != m_columns.end())
        return *it;
    QSqlQuery q(database());
    QString quoted = table;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    if (!q.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(quoted)))
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
