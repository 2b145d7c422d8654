// The shared state of the four windows (the install setting, the one
// connection, the fixed error message) and the statements sent through it.

#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "tests/support/DbFailure.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestInstallRoot.h"

#include <QTest>

class MQuillarTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestInstallRoot> root;

private slots:
    void init() { root = std::make_unique<TestInstallRoot>(); }

    void cleanup()
    {
        gRs.reset();
        gConn.reset(); // before the install root's folder goes
        root.reset();
    }

    void installSetting()
    {
        QCOMPARE(GetInstallSetting(QStringLiteral("Path")), root->root());
        QCOMPARE(GetInstallSetting(QStringLiteral("NoSuchKey")), QString());
        TestInstallRoot::clearSettings();
        QCOMPARE(GetInstallSetting(QStringLiteral("Path")), QString());
    }

    void openDatabaseReplacesTheConnection()
    {
        root->insertFigure({{"th", "B001"}, {"LB", "B"}});
        MessageRecorder messages;
        QCOMPARE(OpenDatabase(), QString());
        QVERIFY(gConn && gConn->isOpen());
        gSql = QStringLiteral("select * from picMain where th= 'B001'");
        OpenSharedRecordset();
        QCOMPARE(gRs->recordCount(), 1);
        const auto first = gConn;
        const auto firstRs = gRs;

        QCOMPARE(OpenDatabase(), QString());
        QCOMPARE(messages.count(), 0);
        QVERIFY(gConn != first);
        QVERIFY(gConn->isOpen());
        QVERIFY(!first->isOpen());
        firstRs->setValue(QStringLiteral("tm"), QStringLiteral("stale"));
        QVERIFY_DB_FAILS(firstRs->update());

        OpenSharedRecordset();
        gRs->setValue(QStringLiteral("tm"), QStringLiteral("fresh"));
        gRs->update();
        QCOMPARE(root->scalar(QStringLiteral("select tm from picMain")).toString(), QStringLiteral("fresh"));
    }

    void openDatabaseWithoutInstallPath()
    {
        TestInstallRoot::clearSettings();
        QVERIFY(!OpenDatabase().isEmpty());
        QVERIFY(gConn);
        QVERIFY(!gConn->isOpen());
        gSql = QStringLiteral("select * from picMain where LB = 'B' order by figName");
        QVERIFY_DB_FAILS(OpenSharedRecordset());
        QVERIFY_DB_FAILS(gConn->execute(QStringLiteral("DELETE from picMain where th= 'B012'")));
        QVERIFY(!OpenDatabase().isEmpty()); // and again, still no crash
    }

    void catalogueStatements()
    {
        for (const char *th : {"B0'1", "B0", "B1", "B012"})
            root->insertFigure({{"th", th}, {"LB", "B"}, {"figName", QString::fromLatin1(th).toLower()}});
        root->insertFigure({{"th", "S001"}, {"LB", "S"}});
        QCOMPARE(OpenDatabase(), QString());
        const auto shown = [](const QString &field) {
            QStringList out;
            for (int p = 1; p <= gRs->recordCount(); ++p) {
                gRs->setAbsolutePosition(p);
                out << gRs->text(field);
            }
            return out;
        };
        const auto numbers = [this] {
            return root->scalar(QStringLiteral("select group_concat(th, ' ') from (select th from picMain order by th)"))
                .toString();
        };

        gSql = CatalogueStatements::figuresOfType(QStringLiteral("B"));
        OpenSharedRecordset();
        QCOMPARE(shown(QStringLiteral("figName")), (QStringList{"b0", "b0'1", "b012", "b1"}));

        // A quote inside a figure number stays inside the literal.
        gSql = CatalogueStatements::figureByNumber(QStringLiteral("B0'1"));
        OpenSharedRecordset();
        QCOMPARE(shown(QStringLiteral("th")), QStringList{"B0'1"});
        const QString crafted = QStringLiteral("x' or '1'='1");
        gSql = CatalogueStatements::figureByNumber(crafted);
        OpenSharedRecordset();
        QCOMPARE(gRs->recordCount(), 0);
        gConn->execute(CatalogueStatements::deleteFigure(crafted));
        QCOMPARE(numbers(), QStringLiteral("B0 B0'1 B012 B1 S001"));
        gConn->execute(CatalogueStatements::deleteFigure(QStringLiteral("B0'1")));
        QCOMPARE(numbers(), QStringLiteral("B0 B012 B1 S001"));
    }

    void reportError_data()
    {
        QTest::addColumn<QString>("detail");
        QTest::newRow("with the cause") << "数据表 picMain 不接受这次修改";
        QTest::newRow("cause unknown") << "";
    }

    void reportError()
    {
        QFETCH(QString, detail);
        MessageRecorder messages;
        ReportError(detail);
        QCOMPARE(messages.count(), 1);
        const MessageRequest shown = messages.last();
        QCOMPARE(shown.text, QStringLiteral("不好意思，出错了！"));
        QCOMPARE(shown.detail, detail);
        QCOMPARE(shown.icon, QMessageBox::NoIcon);
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
};

QTEST_MAIN(MQuillarTest)
#include "tst_mquillar.moc"
