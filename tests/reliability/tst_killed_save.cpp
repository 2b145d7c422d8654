// A program killed with SIGKILL in the middle of a long save leaves a
// catalogue that passes SQLite's integrity check, in which the save is either
// wholly there or wholly absent and nothing else has changed.
#include "tests/support/TestInstallRoot.h"

#include <QProcess>
#include <QTest>

class KilledSaveTest : public QObject
{
    Q_OBJECT

private slots:
    void killedMidSave_data()
    {
        QTest::addColumn<int>("delayMs");
        for (int delay : {0, 15, 40, 90})
            QTest::newRow(qPrintable(QString("killed %1 ms into the save").arg(delay))) << delay;
    }

    void killedMidSave()
    {
        QFETCH(int, delayMs);
        constexpr int kLabels = 4000;
        TestInstallRoot root;
        root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('K', 9000, 1, 2, 'old'), ('B001', 1, 3, 4, 'other')");
        const QString before = labels(root);

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(env);
        child.start(QStringLiteral(QUILLAR_LONG_SAVE_CHILD), {root.root(), QString::number(kLabels)});
        QVERIFY(child.waitForStarted());
        QByteArray output;
        QTRY_VERIFY2_WITH_TIMEOUT((output += child.readAllStandardOutput()).contains("saving"),
                                  child.readAllStandardError().constData(), 60000);
        QTest::qWait(delayMs);
        if (child.state() != QProcess::NotRunning) { // a late kill may find the save done
            child.kill(); // SIGKILL
            QVERIFY(child.waitForFinished());
        }

        QCOMPARE(root.scalar("PRAGMA integrity_check").toString(), QStringLiteral("ok"));
        const int added = root.scalar("SELECT count(*) FROM picLable WHERE th = 'K' AND ID <> 9000").toInt();
        QVERIFY2(added == 0 || added == kLabels, qPrintable(QString("%1 of %2 labels saved").arg(added).arg(kLabels)));
        if (added == 0)
            QCOMPARE(labels(root), before);
        else
            QCOMPARE(root.scalar("SELECT Lbl FROM picLable WHERE th = 'K' AND ID = 4").toString(),
                     QStringLiteral("标签\r\n2"));
        QCOMPARE(root.scalar("SELECT Lbl FROM picLable WHERE th = 'K' AND ID = 9000").toString(), QStringLiteral("old"));
        QCOMPARE(root.scalar("SELECT Lbl FROM picLable WHERE th = 'B001'").toString(), QStringLiteral("other"));
    }

private:
    static QString labels(const TestInstallRoot &root)
    {
        QStringList rows;
        for (const QVariantList &r : root.rows("SELECT th, ID, X, Y, Lbl FROM picLable ORDER BY th, ID"))
            rows << r[0].toString() + ':' + r[1].toString() + ':' + r[4].toString();
        return rows.join(' ');
    }
};

QTEST_MAIN(KilledSaveTest)
#include "tst_killed_save.moc"
