#include "app/CatalogueStatements.h"
#include "platform/database/Connection.h"
#include "platform/database/Recordset.h"
#include "platform/database/TableWriter.h"
#include "tests/support/AccessFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1; // -1: crashed or did not finish
    QString out, err;
};

Run runImport(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QString::fromUtf8(QUILLAR_IMPORT_TOOL), arguments);
    Run run;
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = tool.exitCode();
    run.out = QString::fromUtf8(tool.readAllStandardOutput());
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

// An install root as the host has it, from the Jet 4 fixture and its thumbnails.
QString makeHostRoot(const QTemporaryDir &dir)
{
    const QString root = dir.filePath(u"宿主 安装#%"_s);
    placeHostRoot(root);
    return root;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestImportTool : public QObject
{
    Q_OBJECT

private slots:
    void importsAnInstallRootOnce();
    void importsAFileTheProgramReadsBack();
    void refusesWhatIsNoCatalogue();
    void saysWhatItDoesInTwoLines();
};

void TestImportTool::importsAnInstallRootOnce()
{
    QTemporaryDir dir;
    const QString source = makeHostRoot(dir);
    const QByteArray before = fileChecksum(source + u"/dbase/system.mdb"_s);
    const QString target = dir.filePath(u"导入 后"_s);

    const Run run = runImport({source, target});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QVERIFY(run.out.contains(u"已读取 pData"_s)); // progress while it works
    const QString last = run.out.trimmed().split(u'\n').last();
    QVERIFY2(last.contains(u"picMain 12 行"_s) && last.contains(u"picType 3 行"_s) && last.contains(u"pData 29 行"_s)
                 && last.contains(u"picLable 10 行"_s) && last.contains(u"缩略图 12 个"_s),
             qPrintable(last));
    QCOMPARE(QDir(target + u"/Diagram/MiniMap"_s).entryList(QDir::Files).size(), 12);
    QCOMPARE(fileChecksum(target + u"/Diagram/MiniMap/稀土配分.gif"_s), fileChecksum(source + u"/Diagram/MiniMap/稀土配分.gif"_s));
    QCOMPARE(fileChecksum(source + u"/dbase/system.mdb"_s), before);

    // A second import would overwrite the first: refused, the first untouched.
    const QByteArray imported = fileChecksum(target + u"/dbase/system.mdb"_s);
    const Run again = runImport({source, target});
    QCOMPARE(again.exitCode, 1);
    QVERIFY2(again.err.contains(u"不会覆盖"_s), qPrintable(again.err));
    QCOMPARE(fileChecksum(target + u"/dbase/system.mdb"_s), imported);

    // Nor into a folder holding other things: the import would mix with them.
    const QString other = dir.filePath(u"other"_s);
    writeFile(other + u"/notes.txt"_s, "mine");
    const Run mixed = runImport({source, other});
    QCOMPARE(mixed.exitCode, 1);
    QCOMPARE(QDir(other).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"notes.txt"_s});
}

void TestImportTool::importsAFileTheProgramReadsBack()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"root"_s);
    QCOMPARE(runImport({accessFixture(u"catalogue-ace.accdb"_s), target}).exitCode, 0);
    QVERIFY(QDir(target + u"/Diagram/MiniMap"_s).isEmpty()); // a bare file brings no thumbnails

    auto connection = std::make_shared<Connection>();
    connection->open(target + u"/dbase/system.mdb"_s);
    Recordset points;
    points.open(CatalogueStatements::pointOfFigure(u"B003"_s, 4), connection);
    QCOMPARE(points.recordCount(), 1);
    QVERIFY(points.value(u"X"_s).toDouble() == 0.1 + 0.2); // to the bit: not 0.3
    Recordset figures;
    figures.open(CatalogueStatements::figuresOfType(u"B"_s), connection);
    QCOMPARE(figures.recordCount(), 8);
    figures.setAbsolutePosition(1);
    QCOMPARE(figures.value(u"X6"_s).typeId(), QMetaType::Bool);
    // The program saves there: a changed name is written and read back.
    TableWriter writer(connection, u"picMain"_s);
    writer.setText(writer.column(u"tm"_s), u"改过的图名"_s);
    writer.update(figures.recordIdAt(1));
    Recordset again;
    again.open(CatalogueStatements::figureByNumber(figures.text(u"th"_s)), connection);
    QCOMPARE(again.text(u"tm"_s), u"改过的图名"_s);
}

void TestImportTool::refusesWhatIsNoCatalogue()
{
    QTemporaryDir dir;
    const QString notAccess = dir.filePath(u"notes.mdb"_s);
    writeFile(notAccess, "just some text, not a database\n");
    // Cut short: libmdb reads some such files partly or crashes on them.
    QFile whole(accessFixture(u"catalogue-jet4.mdb"_s));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const QString truncated = dir.filePath(u"truncated.mdb"_s);
    writeFile(truncated, bytes.left(bytes.size() / 3));

    for (const QString &source : {notAccess, truncated, dir.filePath(u"missing.mdb"_s), dir.path()}) {
        const QString target = dir.filePath(u"target"_s);
        const Run run = runImport({source, target});
        QVERIFY2(run.exitCode == 1, qPrintable(source + u": "_s + run.err));
        QVERIFY2(run.err.contains(u"quillar-import："_s), qPrintable(run.err)); // after libmdb's own complaints
        QVERIFY2(!QFile::exists(target + u"/dbase/system.mdb"_s), qPrintable(source));
        QVERIFY(QDir(target + u"/dbase"_s).isEmpty()); // no staging file left behind
    }
}

void TestImportTool::saysWhatItDoesInTwoLines()
{
    const Run help = runImport({u"--help"_s});
    QCOMPARE(help.exitCode, 0);
    QCOMPARE(help.out.trimmed().split(u'\n').size(), 2);
    QCOMPARE(runImport({u"only-one"_s}).exitCode, 2);
}

QTEST_GUILESS_MAIN(TestImportTool)
#include "tst_import_tool.moc"
