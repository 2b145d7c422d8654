// The catalogue window of the built program as a user sees it:
//  startup   the main window appears as it should, and 退 出 ends the program;
//  editSave  renaming one figure and saving changes that figure's name in the
//            catalogue file and nothing else;
//  captions  as drawn on screen: the axis frame's border runs through its
//            caption, clear of the column headings under it, and the point
//            editor's help text shows all its lines.
#include "tests/e2e/E2eKit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QtTest>

namespace {

QImage grabbed(const QRect &area)
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().copy(area);
}

bool isInk(QRgb c)
{
    return qGray(c) < 160;
}

// Rows of `image` holding a line of one colour across at least `share` of its width.
QList<int> lineRows(const QImage &image, double share)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        int longest = 0, run = 0;
        for (int x = 1; x < image.width(); ++x) {
            // A border is darker than the window's background.
            run = image.pixel(x, y) == image.pixel(x - 1, y) && qGray(image.pixel(x, y)) < 215 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (longest >= share * image.width())
            rows << y;
    }
    return rows;
}

// Bands of rows with ink, separated by rows without: the lines of a text.
int textLines(const QImage &image)
{
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        bool inked = false;
        for (int x = 0; x < image.width() && !inked; ++x)
            inked = isInk(image.pixel(x, y));
        lines += inked && !inLine;
        inLine = inked;
    }
    return lines;
}

} // namespace

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

    void captions()
    {
        // Frame1 at 6360, 6120: its top border runs at half the caption's
        // height, above the headings at Top 240 (16 px) and clear of them.
        const QRect client = m_run->clientArea(m_window);
        const QImage frameTop = grabbed(QRect(client.topLeft() + QPoint(px(6360), px(6120)), QSize(px(7575), px(600))));
        const QList<int> borders = lineRows(frameTop, 0.8);
        QVERIFY2(!borders.isEmpty() && borders.first() >= 4 && borders.first() < 12, "no border through the caption");
        for (int y : borders)
            QVERIFY2(y < 12 || y >= px(600) - 2, qPrintable(QString("a border line at %1 px crosses the headings").arg(y)));

        // Label1 in the point editor's Frame1 (4680 + 240, 3840 + 320), 1815 x 1455: the
        // first line wraps, so six lines of text, none cut at the box's right edge.
        QVERIFY(click(6600, 9360, 1455, 375)); // 显示图版数据
        const QString points = m_run->findWindow("Data Manager");
        QVERIFY(!points.isEmpty());
        QTest::qWait(300);
        const QRect help(m_run->clientArea(points).topLeft() + QPoint(px(4920), px(4160)), QSize(px(1815), px(1455)));
        const QImage text = grabbed(help);
        QVERIFY(screenshot("captions-point-editor"));
        QCOMPARE(textLines(text), 6);
        for (int y = 0; y < text.height(); ++y)
            QVERIFY2(!isInk(text.pixel(text.width() - 1, y)), "the help text runs past its box");
        QVERIFY(closeWindow(points));
        QVERIFY2(quit(), "退 出 did not end the program");
    }
};

QTEST_MAIN(CatalogueE2eTest)
#include "tst_e2e_catalogue.moc"
