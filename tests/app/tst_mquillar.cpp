// The shared state of the four windows (the install setting, the one
// connection, the fixed error message) and the statements sent through it.

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "tests/support/DbFailure.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestInstallRoot.h"

#include <QTest>

using namespace Qt::StringLiterals;

class MQuillarTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestInstallRoot> root;

private slots:
    void init() { root = std::make_unique<TestInstallRoot>(); }

    void cleanup() { gRs.reset(); gConn.reset(); root.reset(); } // the connection goes before the root's folder

    void openDatabaseReplacesTheConnection()
    {
        MessageRecorder messages;
        QCOMPARE(OpenDatabase(), QString());
        const auto first = gConn;
        QCOMPARE(OpenDatabase(), QString());
        QCOMPARE(messages.count(), 0);
        QVERIFY(gConn != first && gConn->isOpen() && !first->isOpen());
        gSql = SqlStatement::select(u"*"_s, u"picMain"_s);
        OpenSharedRecordset(); // runs on the new connection

        // Without an install root: a closed connection that fails, and no crash.
        TestInstallRoot::clearSettings();
        QCOMPARE(GetInstallSetting(u"Path"_s), QString());
        QVERIFY(!OpenDatabase().isEmpty());
        QVERIFY(gConn && !gConn->isOpen());
        QVERIFY_DB_FAILS(OpenSharedRecordset());
        QVERIFY_DB_FAILS(gConn->execute(CatalogueStatements::deleteFigure(u"B012"_s)));
        QVERIFY(!OpenDatabase().isEmpty());
        // The message says what to set, and where an installed user reads how to try the program.
        ReportOpenFailure(OpenDatabase());
        const QString told = messages.last().text;
        QVERIFY2(told.contains(u"Path=安装目录"_s) && told.contains(u"quillar-demo demo 目录"_s)
                     && told.contains(u"man quillar-demo"_s),
                 qPrintable(told));
    }

    void quotedFigureNumbersTouchOnlyTheirRecord()
    {
        for (const char *th : {"B0'1", "B0", "B1"})
            root->insertFigure({{"th", th}, {"LB", "B"}});
        QCOMPARE(OpenDatabase(), QString());
        gSql = CatalogueStatements::figureByNumber(u"B0'1"_s);
        OpenSharedRecordset();
        QCOMPARE(gRs->recordCount(), 1);
        QCOMPARE(gRs->text(u"th"_s), u"B0'1"_s);
        gConn->execute(CatalogueStatements::deleteFigure(u"x' or '1'='1"_s));
        gConn->execute(CatalogueStatements::deleteFigure(u"B0'1"_s));
        QCOMPARE(root->scalar(u"select group_concat(th) from (select th from picMain order by th)"_s).toString(),
                 u"B0,B1"_s);
    }

    void reportError()
    {
        // With the cause known (the first line of a failure text; SQLite's
        // words after it stay in the details), and unknown.
        const QString failure = u"数据表 picMain 不接受这次修改\nUNIQUE constraint failed: picMain.th"_s;
        for (const QString &detail : {failure, QString()}) {
            MessageRecorder messages;
            ReportError(detail);
            QCOMPARE(messages.count(), 1);
            const MessageRequest shown = messages.last();
            QCOMPARE(shown.text, detail.isEmpty() ? u"不好意思，出错了！"_s : u"不好意思，出错了！\n数据表 picMain 不接受这次修改"_s);
            QCOMPARE(shown.detail, detail);
            QCOMPARE(shown.icon, QMessageBox::NoIcon);
            QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
    }
};

QTEST_MAIN(MQuillarTest)
#include "tst_mquillar.moc"
