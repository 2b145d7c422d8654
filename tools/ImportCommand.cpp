#include "tools/ImportCommand.h"

#include "platform/access/AccessReader.h"
#include "platform/access/AccessSignature.h"
#include "platform/database/DbError.h"
#include "tools/AccessTableWriter.h"
#include "tools/InstallRootLayout.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QStringList kTables = {QStringLiteral("picMain"), QStringLiteral("picType"), QStringLiteral("pData"),
                             QStringLiteral("picLable")};

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The Access file named by SOURCE: the file itself or the catalogue of an install root.
QString sourceFileOf(const QString &source)
{
    return QFileInfo(source).isDir() ? InstallRootLayout(source).cataloguePath() : source;
}

std::vector<AccessTable> readCatalogue(const QString &file, QTextStream &out)
{
    AccessReader reader(file);
    out << QStringLiteral("读取 %1（%2）").arg(native(file), reader.formatName()) << Qt::endl;
    QStringList missing;
    const QStringList present = reader.tableNames();
    for (const QString &table : kTables) {
        if (!present.contains(table, Qt::CaseInsensitive))
            missing << table;
    }
    if (!missing.isEmpty())
        throw DbError(QStringLiteral("不是图版数据库，缺少数据表：%1").arg(missing.join(QStringLiteral("、"))));
    std::vector<AccessTable> tables;
    for (const QString &name : kTables) {
        tables.push_back(reader.read(name));
        out << QStringLiteral("  已读取 %1：%2 行").arg(tables.back().name).arg(tables.back().rows.size()) << Qt::endl;
    }
    return tables;
}

// Copies the GIF thumbnails of an install root into the new one.
QString copyThumbnails(const InstallRootLayout &source, const InstallRootLayout &target, int *copied)
{
    const QDir from(source.thumbnailDir());
    for (const QString &name : from.entryList(QDir::Files)) {
        if (!name.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive))
            continue;
        if (!QFile::copy(from.filePath(name), target.thumbnailPath(name)))
            return QStringLiteral("无法复制缩略图 %1 到 %2").arg(native(from.filePath(name)), native(target.thumbnailDir()));
        ++*copied;
    }
    return {};
}

int fail(QTextStream &err, const QString &reason)
{
    err << QStringLiteral("quillar-import：") << reason << Qt::endl;
    return 1;
}

} // namespace

QString ImportCommand::usage()
{
    return QStringLiteral(
        "用法：quillar-import 源 目标根目录    源：Access 图版库文件（.mdb/.accdb）或含 dbase/system.mdb 的安装根目录；目标根目录：新的或空的文件夹。\n"
        "把四个图版数据表原样写入 目标根目录/dbase/system.mdb（SQLite，可在本程序里编辑），复制安装根目录的缩略图，最后列出各表行数；不覆盖已有的图版库。\n");
}

int ImportCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() == 1 && (arguments[0] == QLatin1String("--help") || arguments[0] == QLatin1String("-h"))) {
        out << usage();
        return 0;
    }
    if (arguments.size() != 2) {
        err << usage();
        return 2;
    }
    const QString source = arguments[0];
    const QString file = sourceFileOf(source);
    if (!QFileInfo(file).isFile())
        return fail(err, QStringLiteral("找不到 Access 图版库：%1").arg(native(file)));
    if (!isAccessFile(file))
        return fail(err, QStringLiteral("不是 Access 数据库文件：%1").arg(native(file)));

    const InstallRootLayout target(arguments[1]);
    if (QFileInfo::exists(target.cataloguePath()))
        return fail(err, QStringLiteral("目标已有图版库，不会覆盖：%1").arg(native(target.cataloguePath())));
    const QDir targetDir(target.root());
    if (targetDir.exists() && !targetDir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        return fail(err, QStringLiteral("目标文件夹不是空的：%1（请给一个新的或空的文件夹）").arg(native(target.root())));

    std::vector<AccessTable> tables;
    try {
        tables = readCatalogue(file, out);
    } catch (const DbError &e) {
        return fail(err, e.reason());
    }

    for (const QString &dir : {QFileInfo(target.cataloguePath()).path(), target.thumbnailDir()}) {
        if (!QDir().mkpath(dir))
            return fail(err, QStringLiteral("无法创建目录：%1").arg(native(dir)));
    }
    const QString staging = target.cataloguePath() + QStringLiteral(".importing");
    InstallRootLayout::discard(staging);
    QString error = writeAccessTables(staging, tables, [&out](const AccessTable &table) {
        out << QStringLiteral("  已写入 %1").arg(table.name) << Qt::endl;
    });
    int thumbnails = 0;
    if (error.isEmpty() && QFileInfo(source).isDir())
        error = copyThumbnails(InstallRootLayout(source), target, &thumbnails);
    // Published last: a catalogue under the final name is always complete.
    if (error.isEmpty() && !QFile::rename(staging, target.cataloguePath()))
        error = QStringLiteral("无法把图版库移到 %1").arg(native(target.cataloguePath()));
    if (!error.isEmpty()) {
        InstallRootLayout::discard(staging);
        return fail(err, error);
    }
    QStringList counts;
    for (const AccessTable &table : tables)
        counts << QStringLiteral("%1 %2 行").arg(table.name).arg(table.rows.size());
    out << QStringLiteral("已导入 %1：%2；缩略图 %3 个").arg(native(target.cataloguePath()), counts.join(QStringLiteral("，"))).arg(thumbnails)
        << Qt::endl;
    return 0;
}
