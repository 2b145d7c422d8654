#include "platform/database/SqliteFailure.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// As this process may write there now (its effective ids, not the real ones).
bool writable(const QString &path)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

// SQLite writes a journal next to the file, so a read-only folder makes the
// file read-only too; it then reports an I/O error or a file it cannot open.
bool fileOrFolderReadOnly(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && (!writable(info.absoluteFilePath()) || !writable(info.absolutePath()));
}

QString causeOf(int code, const QString &step, const QString &path)
{
    switch (code) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("图版数据库正被另一个程序锁定，请稍后再试");
    case SQLITE_READONLY:
        return QStringLiteral("图版数据库是只读的，不能写入");
    case SQLITE_FULL:
        return QStringLiteral("磁盘已满，图版数据库写不下");
    case SQLITE_NOTADB:
        return QStringLiteral("文件不是图版数据库");
    case SQLITE_CORRUPT:
        return QStringLiteral("图版数据库文件已损坏");
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        if (fileOrFolderReadOnly(path))
            return QStringLiteral("图版数据库或它所在的文件夹是只读的，不能写入");
        return code == SQLITE_IOERR ? QStringLiteral("读写磁盘上的图版数据库时出错") : step;
    default:
        return step;
    }
}

} // namespace

DbError sqliteFailure(const SqliteError &error, const QString &step, const QString &path, const QString &statement)
{
    const QString cause = causeOf(error.code & 0xff, step, path); // extended codes keep the primary one below
    QString details = statement.isEmpty() ? QString() : QStringLiteral("语句：") + statement + QLatin1Char('\n');
    details += error.text;
    return DbError(cause, details);
}
