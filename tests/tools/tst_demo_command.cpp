#include "tests/tools/CatalogueReader.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run runTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QString::fromUtf8(QUILLAR_DEMO_TOOL), arguments);
    Run run;
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = tool.exitCode();
    run.out = QString::fromUtf8(tool.readAllStandardOutput());
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

bool oneLine(const QString &text)
{
    return !text.trimmed().isEmpty() && !text.trimmed().contains(QLatin1Char('\n'));
}

} // namespace

class TestDemoCommand : public QObject
{
    Q_OBJECT

private slots:
    void helpPrintsUsage();
    void demoRefusesThenReplaces();
    void syntheticBuildsWhatWasAsked();
    void wrongArgumentsAreRefused_data();
    void wrongArgumentsAreRefused();

private:
    QTemporaryDir m_dir;
};

void TestDemoCommand::helpPrintsUsage()
{
    const Run run = runTool({QStringLiteral("--help")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains(QStringLiteral("用法")));
    QVERIFY(run.out.contains(QStringLiteral("synthetic")));
    QVERIFY(run.err.isEmpty());
}

void TestDemoCommand::demoRefusesThenReplaces()
{
    const QString root = m_dir.filePath(QStringLiteral("图版 根#%?"));
    Run run = runTool({QStringLiteral("demo"), root});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    QVERIFY(QFile::exists(root + QStringLiteral("/dbase/system.mdb")));

    run = runTool({QStringLiteral("demo"), root});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(oneLine(run.err), qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("--force")));

    run = runTool({QStringLiteral("demo"), root, QStringLiteral("--force")});
    QCOMPARE(run.exitCode, 0);
    CatalogueReader db(root + QStringLiteral("/dbase/system.mdb"));
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain")) >= 12);
}

void TestDemoCommand::syntheticBuildsWhatWasAsked()
{
    const QString root = m_dir.filePath(QStringLiteral("合成 根"));
    const Run run = runTool({QStringLiteral("synthetic"), root, QStringLiteral("--figures"), QStringLiteral("6"),
                             QStringLiteral("--points=4"), QStringLiteral("--labels"), QStringLiteral("2"),
                             QStringLiteral("--thumbnails")});
    QCOMPARE(run.exitCode, 0);
    CatalogueReader db(root + QStringLiteral("/dbase/system.mdb"));
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain")), 6);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM pData")), 24);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picLable")), 12);
    QCOMPARE(QDir(root + QStringLiteral("/Diagram/MiniMap")).entryList({QStringLiteral("*.gif")}, QDir::Files).size(), 6);
}

void TestDemoCommand::wrongArgumentsAreRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("unknown command") << QStringList{QStringLiteral("build"), QStringLiteral("x")};
    QTest::newRow("no root") << QStringList{QStringLiteral("demo")};
    QTest::newRow("two roots") << QStringList{QStringLiteral("demo"), QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("demo"), QStringLiteral("a"), QStringLiteral("--fast")};
    QTest::newRow("no figure count") << QStringList{QStringLiteral("synthetic"), QStringLiteral("a")};
    QTest::newRow("count not a number")
        << QStringList{QStringLiteral("synthetic"), QStringLiteral("a"), QStringLiteral("--figures"), QStringLiteral("十")};
    QTest::newRow("negative count") << QStringList{QStringLiteral("synthetic"), QStringLiteral("a"),
                                                   QStringLiteral("--figures"), QStringLiteral("3"),
                                                   QStringLiteral("--points"), QStringLiteral("-1")};
    QTest::newRow("count missing")
        << QStringList{QStringLiteral("synthetic"), QStringLiteral("a"), QStringLiteral("--figures")};
}

void TestDemoCommand::wrongArgumentsAreRefused()
{
    QFETCH(QStringList, arguments);
    // Relative roots land in the temporary folder if a bad case were accepted.
    QProcess tool;
    tool.setWorkingDirectory(m_dir.path());
    tool.start(QString::fromUtf8(QUILLAR_DEMO_TOOL), arguments);
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 2);
    const QString err = QString::fromUtf8(tool.readAllStandardError());
    QVERIFY2(oneLine(err), qPrintable(err));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("a/dbase/system.mdb"))));
}

QTEST_MAIN(TestDemoCommand)
#include "tst_demo_command.moc"
