// The group manager of the built program, opened from the catalogue window
// with a real click on 显示分组: a group added and named with real keys
// reaches picType and nothing else changes.
#include "tests/e2e/E2eKit.h"

#include <QtTest>

class GroupsE2eTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramRun> m_run;

private slots:
    void init()
    {
        m_run = std::make_unique<ProgramRun>();
        QString error;
        QVERIFY2(m_run->start(&error), qPrintable(error));
    }

    void cleanup() { endRun(m_run); }

    void addRenameSave()
    {
        const QString main = m_run->mainWindow();
        QVERIFY(m_run->click(main, 10800, 5580, 975, 375)); // 显示分组
        const QString groups = m_run->findWindow("分组管理");
        QVERIFY2(!groups.isEmpty(), "显示分组 opened no group manager");
        QCOMPARE(xdo({"getwindowname", groups}), QString("Strativa-Orrisplot-分组管理"));
        QCOMPARE(m_run->clientArea(groups).size(), QSize(px(4428), px(4344)));
        // Pressed again, it stays the one window.
        QVERIFY(m_run->click(main, 10800, 5580, 975, 375));
        QCOMPARE(m_run->windows().size(), 2);
        xdo({"windowraise", groups});

        const int stored = m_run->before().value("picType").size();
        QVERIFY(m_run->click(groups, 840, 3840, 855, 375)); // 添 加
        // The new row is the last one: click the first row, then Ctrl+End.
        QVERIFY(m_run->clickAt(groups, px(120) + 20, px(120) + 35));
        QVERIFY(key("ctrl+End"));
        QVERIFY(m_run->click(groups, 720, 3240, 3500, 375)); // TextBox1
        QVERIFY(key("ctrl+a"));
        QVERIFY(typeText("E2E group"));
        screenshot("groups-1-named");
        QVERIFY(m_run->click(groups, 3320, 3840, 855, 375)); // 保 存: the name field loses the focus first

        QTRY_COMPARE_WITH_TIMEOUT(m_run->changes(), QStringList{QString("+picType|grp=%1|grpName=E2E group|").arg(stored + 1)},
                                  10000);
        screenshot("groups-2-saved");
    }
};

QTEST_MAIN(GroupsE2eTest)
#include "tst_e2e_groups.moc"
