#include "platform/database/SqliteFailure.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <fcntl.h>
#include <unistd.h>

namespace {

// SQLite's primary result codes that say something about the file or the disk.
enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, IoError = 10, Corrupt = 11, Full = 13, CantOpen = 14, NotADb = 26 };

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
    case Busy:
    case Locked:
        return QStringLiteral("图版数据库正被另一个程序锁定，请稍后再试");
    case ReadOnly:
        return QStringLiteral("图版数据库是只读的，不能写入");
    case Full:
        return QStringLiteral("磁盘已满，图版数据库写不下");
    case NotADb:
        return QStringLiteral("文件不是图版数据库");
    case Corrupt:
        return QStringLiteral("图版数据库文件已损坏");
    case IoError:
    case CantOpen:
        if (fileOrFolderReadOnly(path))
            return QStringLiteral("图版数据库或它所在的文件夹是只读的，不能写入");
        return code == IoError ? QStringLiteral("读写磁盘上的图版数据库时出错") : step;
    default:
        return step;
    }
}

} // namespace

DbError sqliteFailure(const QSqlError &error, const QString &step, const QString &path, const QString &statement)
{
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff; // extended codes keep the primary one below
    const QString cause = isNumber ? causeOf(code, step, path) : step;
    QString details = statement.isEmpty() ? QString() : QStringLiteral("语句：") + statement + QLatin1Char('\n');
    details += error.text();
    return DbError(cause, details);
}
