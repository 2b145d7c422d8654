#include "app/HostCatalogue.h"

#include "app/mQuillar.h"
#include "platform/access/AccessSignature.h"
#include "platform/database/DbError.h"
#include "platform/messages/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>

namespace {

struct Copy
{
    QString source;                     // the Access file read
    std::unique_ptr<QTemporaryDir> dir; // holds dbase/system.mdb, removed at exit
    QString file;                       // the copy, empty when reading failed
    QString failure;
};

Copy &copy()
{
    static Copy instance;
    return instance;
}

bool readOnly = false;

QString importCommand()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quillar-import");
}

// The row counts quillar-import reports ("picMain 12 行，...") must be what the copy holds.
void checkCounts(const QString &report, const QString &file)
{
    static const QRegularExpression countPattern(QStringLiteral("(picMain|picType|pData|picLable) (\\d+) 行"));
    const QString name = QStringLiteral("host-catalogue-check");
    QString mismatch;
    int tables = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            mismatch = QStringLiteral("读出的副本打不开");
        for (auto it = countPattern.globalMatch(report); mismatch.isEmpty() && it.hasNext(); ++tables) {
            const QRegularExpressionMatch match = it.next();
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("select count(*) from %1").arg(match.captured(1))) || !query.next()
                || query.value(0).toString() != match.captured(2))
                mismatch = QStringLiteral("数据表 %1 的行数与读取时不符").arg(match.captured(1));
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (mismatch.isEmpty() && tables != 4)
        mismatch = QStringLiteral("导入程序没有报告四个数据表的行数");
    if (!mismatch.isEmpty())
        throw DbError(mismatch);
}

// Runs quillar-import on `source` into `dir`; returns the copy's path.
QString importInto(const QString &source, const QTemporaryDir &dir)
{
    if (!dir.isValid())
        throw DbError(QStringLiteral("无法创建临时文件夹：%1").arg(dir.errorString()));
    const QString command = importCommand();
    if (!QFileInfo(command).isExecutable())
        throw DbError(QStringLiteral("找不到导入程序：%1").arg(QDir::toNativeSeparators(command)));
    QProcess import;
    import.start(command, {source, dir.path()});
    if (!import.waitForFinished(5 * 60 * 1000)) {
        import.kill();
        import.waitForFinished();
        throw DbError(QStringLiteral("读取 Access 图版库没有完成：%1").arg(import.errorString()));
    }
    if (import.exitStatus() != QProcess::NormalExit)
        throw DbError(QStringLiteral("读取 Access 图版库时导入程序异常退出，文件可能已损坏"));
    if (import.exitCode() != 0) {
        const QStringList lines = QString::fromUtf8(import.readAllStandardError()).trimmed().split(QLatin1Char('\n'));
        throw DbError(QStringLiteral("无法读取 Access 图版库：%1").arg(lines.last()));
    }
    const QString file = dir.path() + QStringLiteral("/dbase/system.mdb");
    checkCounts(QString::fromUtf8(import.readAllStandardOutput()), file);
    // Nothing of ours writes it, and the file system says so too.
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    return file;
}

void showNotice()
{
    MessageRequest request;
    request.icon = QMessageBox::Information;
    request.text = QStringLiteral("图版库是宿主程序的 Access 数据库，已以只读方式打开：可以查看，不能保存。\n"
                                  "要在这里编辑，请用导入命令把它导入为可编辑的图版库：\n"
                                  "quillar-import \"%1\" 新的安装目录\n"
                                  "再把设置里的安装目录（Path）改为新的安装目录。")
                       .arg(QDir::toNativeSeparators(GetInstallSetting(QStringLiteral("Path"))));
    MessageBox::show(nullptr, request);
}

} // namespace

namespace HostCatalogue {

QString fileToOpen(const QString &path)
{
    readOnly = isAccessFile(path);
    if (!readOnly)
        return path;
    Copy &current = copy();
    const QString source = QFileInfo(path).absoluteFilePath();
    if (current.source != source) {
        current = Copy{source, std::make_unique<QTemporaryDir>(), QString(), QString()};
        try {
            current.file = importInto(source, *current.dir);
        } catch (const DbError &e) {
            current.failure = e.reason();
        }
        if (current.failure.isEmpty())
            showNotice();
    }
    if (!current.failure.isEmpty())
        throw DbError(current.failure);
    return current.file;
}

bool isReadOnly()
{
    return readOnly;
}

QString saveRefusal()
{
    return QStringLiteral("图版库是宿主程序的 Access 数据库，只读打开，不能保存；修改没有写入，仍留在列表里。\n"
                          "要保存修改，请先用导入命令 quillar-import 把它导入为可编辑的图版库。");
}

} // namespace HostCatalogue
