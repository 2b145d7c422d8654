// The catalogue window of the built program as a user sees it:
//  startup   the main window appears as it should, and 退 出 ends the program;
//  editSave  renaming one figure and saving changes that figure's name in the
//            catalogue file and nothing else.
#include "tests/e2e/E2eKit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

class CatalogueE2eTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramRun> m_run;
    QString m_window;

    bool click(int left, int top, int width, int height) { return m_run->click(m_window, left, top, width, height); }
    bool quit() { return click(12744, 9360, 975, 375) && m_run->endsNormally(); } // 退 出

private slots:
    void init()
    {
        m_run = std::make_unique<ProgramRun>();
        QString error;
        QVERIFY2(m_run->start(&error), qPrintable(error));
        m_window = m_run->mainWindow();
    }

    void cleanup() { endRun(m_run); }

    void startup()
    {
        QCOMPARE(xdo({"getwindowname", m_window}), QString(" Strativa - Orrisplot - 图版管理"));
        // A fixed client area of 15408 x 10164 twips, centred on the 1280 x 1024 screen.
        const QRect client = m_run->clientArea(m_window);
        QCOMPARE(client.size(), QSize(1027, 678));
        QVERIFY2((client.center() - QPoint(640, 512)).manhattanLength() <= 4, "the main window is not centred");
        QVERIFY(screenshot("startup-main-window"));
        QVERIFY2(quit(), "退 出 did not end the program");
    }

    void editSave()
    {
        xdo({"windowfocus", "--sync", m_window});
        // LvFigure at 200, 500 twips: just under the column headers lies the
        // first row; Down then selects the second one.
        QVERIFY(m_run->clickAt(m_window, px(200) + 100, px(500) + 35));
        QVERIFY(key("Down"));

        // tPicName: read what it shows through the clipboard, then replace it.
        QVERIFY(click(9000, 5160, 6135, 320));
        QVERIFY(key("ctrl+a"));
        QGuiApplication::clipboard()->clear();
        QVERIFY(key("ctrl+c"));
        QString shownName;
        QTRY_VERIFY_WITH_TIMEOUT(!(shownName = QGuiApplication::clipboard()->text()).isEmpty(), 5000);
        QVERIFY(key("ctrl+a"));
        QVERIFY(typeText("E2E renamed figure"));
        QVERIFY(click(11328, 9360, 1095, 375)); // 刷新列表
        QVERIFY(click(14040, 9360, 975, 375));  // 保 存

        // The figure that was on screen got the new name; all else is as it was.
        const QString oldField = "|tm=" + shownName + '|';
        const QStringList shown = m_run->before().value("picMain").filter(oldField);
        QCOMPARE(shown.size(), 1);
        QStringList expected = {"-picMain" + shown[0], "+picMain" + QString(shown[0]).replace(oldField, "|tm=E2E renamed figure|")};
        expected.sort();
        QTRY_COMPARE_WITH_TIMEOUT(m_run->changes(), expected, 10000);
        // A successful save shows no message: the main window stays the only one.
        QTest::qWait(500);
        screenshot("edit-save-saved");
        QCOMPARE(m_run->windows(), QStringList{m_window});
        QVERIFY2(quit(), "退 出 did not end the program");
    }
};

QTEST_MAIN(CatalogueE2eTest)
#include "tst_e2e_catalogue.moc"
