// The whole program: the catalogue window and its three sub-windows side by
// side, the figure handed over to each editor, saves that land in their own
// figure, and the program ending with its last window, not before.
#include "tests/e2e/E2eKit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

namespace {

// Catalogue window controls, in twips.
constexpr QRect kShowPoints(6600, 9360, 1455, 375);  // 显示图版数据
constexpr QRect kShowLabels(8376, 9360, 1335, 375);  // 显示图版标签
constexpr QRect kShowGroups(10800, 5580, 975, 375);  // 显示分组
constexpr QRect kCatalogueExit(12744, 9360, 975, 375);
constexpr QRect kCatalogueSave(14040, 9360, 975, 375);
constexpr QRect kThumbnail(195, 4920, 5895, 5055); // a double click opens the preview
// Point editor.
constexpr QRect kPointAdd(4680 + 1080, 240 + 2760, 855, 375); // 添 加 / 加 入 / 新 建
constexpr QRect kPointX(4680 + 1100, 240 + 1488, 1000, 320);
constexpr QRect kPointY(4680 + 1100, 240 + 1884, 1000, 320);
constexpr QRect kPointSave(5880, 6000, 975, 375);
constexpr QRect kPointExit(5880, 6600, 975, 375);
// Label editor.
constexpr QRect kLabelNew(4320 + 960, 360 + 2760, 735, 375); // 新 建 / 加 入
constexpr QRect kLabelX(4320 + 875, 360 + 360, 1000, 320);
constexpr QRect kLabelY(4320 + 875, 360 + 750, 1000, 320);
constexpr QRect kLabelText(4320 + 240, 360 + 1680, 1695, 975);
constexpr QRect kLabelDelete(5280, 4080, 800, 375);
constexpr QRect kLabelSave(5280, 4740, 800, 375);
constexpr QRect kLabelExit(5280, 5400, 800, 375);

// The catalogue list's rows, in pixels from the window's client area: the
// first just under the column headers.
constexpr int kListX = 100, kFirstRowY = 68, kRowHeight = 23;

// Puts `text` on the X clipboard as another program does; xclip keeps serving
// it after it returns.
bool copyToClipboard(const QString &text)
{
    QProcess xclip;
    xclip.start("xclip", {"-selection", "clipboard", "-i"});
    if (!xclip.waitForStarted(5000))
        return false;
    xclip.write(text.toUtf8());
    xclip.closeWriteChannel();
    return xclip.waitForFinished(5000) && xclip.exitCode() == 0;
}

// A record's field as dumpCatalogue() shows it.
QString field(const QString &record, const QString &name)
{
    const int at = record.indexOf('|' + name + '=');
    if (at < 0)
        return QString();
    const int start = at + name.size() + 2;
    return record.mid(start, record.indexOf('|', start) - start);
}

} // namespace

class ProgramE2eTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramRun> m_run;
    QString m_main;

    bool click(const QString &window, const QRect &twips)
    {
        return m_run->click(window, twips.x(), twips.y(), twips.width(), twips.height());
    }
    bool clickRow(int row, int repeat = 1)
    {
        return m_run->clickAt(m_main, kListX, kFirstRowY + row * kRowHeight, 1, repeat);
    }
    // Replaces the text of a field with real keys.
    bool retype(const QString &window, const QRect &field, const QString &text)
    {
        return click(window, field) && key("ctrl+a") && typeText(text);
    }
    // Presses a catalogue button that opens a sub-window and moves that window
    // to x, y on the screen; its X id, empty when none opened.
    QString openAt(const QRect &button, const QString &title, int x, int y)
    {
        if (!click(m_main, button))
            return QString();
        const QString window = m_run->findWindow(title);
        if (!window.isEmpty())
            xdo({"windowmove", "--sync", window, QString::number(x), QString::number(y)});
        return window;
    }
    // The 三角形图 option, clicked on its round indicator.
    bool showTriangular() { return m_run->clickAt(m_main, px(5280) + 8, px(120 + 375 / 2)); }
private slots:
    void init()
    {
        m_run = std::make_unique<ProgramRun>();
        QString error;
        QVERIFY2(m_run->start(&error), qPrintable(error));
        m_main = m_run->mainWindow();
        xdo({"windowmove", "--sync", m_main, "0", "0"});
    }

    void cleanup() { endRun(m_run); }

    void fourWindowsOpenedAndClosed()
    {
        QVERIFY(clickRow(1)); // B002
        const QString points = openAt(kShowPoints, "Data Manager", 1040, 0);
        QCOMPARE(xdo({"getwindowname", points}), QString("Orrisplot—Figure Data Manager：B002    "));
        const QString labels = openAt(kShowLabels, "Label  Manager", 1530, 0);
        QCOMPARE(xdo({"getwindowname", labels}), QString("Orrisplot—Figure Label  Manager：B002    "));
        const QString groups = openAt(kShowGroups, "分组管理", 1040, 500);
        QCOMPARE(xdo({"getwindowname", groups}), QString("Strativa-Orrisplot-分组管理"));

        // Another figure handed over: the open editors, holding nothing unsaved, load it.
        QVERIFY(clickRow(2)); // B004
        QVERIFY(click(m_main, kShowPoints));
        QVERIFY(click(m_main, kShowLabels));
        QCOMPARE(m_run->windows().size(), 4);
        QCOMPARE(xdo({"getwindowname", points}), QString("Orrisplot—Figure Data Manager：B004    "));
        QCOMPARE(xdo({"getwindowname", labels}), QString("Orrisplot—Figure Label  Manager：B004    "));
        QVERIFY(screenshot("program-1-four-windows"));

        // 退 出 closes the catalogue window only.
        QVERIFY(click(m_main, kCatalogueExit));
        QTRY_COMPARE_WITH_TIMEOUT(m_run->windows().size(), 3, 5000);
        QVERIFY(!m_run->windows().contains(m_main));
        // The group manager by its close box, the label editor by 退 出.
        QVERIFY(closeWindow(groups));
        QTRY_COMPARE_WITH_TIMEOUT(m_run->windows().size(), 2, 5000);
        QVERIFY(click(labels, kLabelExit));
        QTRY_COMPARE_WITH_TIMEOUT(m_run->windows(), QStringList{points}, 5000);
        QCOMPARE(m_run->process().state(), QProcess::Running);
        QVERIFY(click(points, kPointExit));
        QVERIFY2(m_run->endsNormally(), "the program did not end with its last window");
    }

    void editorsSaveInTheirOwnFigures()
    {
        const CatalogueDump before = m_run->before();
        // The first triangular figure in the list, by name.
        QStringList triangular = before.value("picMain").filter("|LB=T|");
        std::sort(triangular.begin(), triangular.end(), [](const QString &a, const QString &b) {
            return field(a, "figName") < field(b, "figName");
        });
        QVERIFY(!triangular.isEmpty());
        const QString labelFigure = field(triangular.first(), "th");

        // A double click on B002 opens its points; the first point's X changes.
        QVERIFY(clickRow(1, 2));
        const QString points = m_run->findWindow("Data Manager");
        QVERIFY2(!points.isEmpty(), "a double click opened no point editor");
        xdo({"windowmove", "--sync", points, "1040", "0"});
        QVERIFY(m_run->clickAt(points, 40, 42));
        QVERIFY(retype(points, kPointX, "47.5"));

        // Meanwhile the catalogue switches its type, which reopens the shared
        // connection, and opens the labels of another figure.
        QVERIFY(showTriangular());
        QVERIFY(clickRow(0));
        const QString labels = openAt(kShowLabels, "Label  Manager", 1530, 0);
        QCOMPARE(xdo({"getwindowname", labels}), "Orrisplot—Figure Label  Manager：" + labelFigure + "    ");
        QVERIFY(click(labels, kLabelNew));
        QVERIFY(retype(labels, kLabelX, "50"));
        QVERIFY(retype(labels, kLabelY, "5"));
        // A two-line text, typed with Return between the lines.
        QVERIFY(retype(labels, kLabelText, "E2E"));
        QVERIFY(key("Return"));
        QVERIFY(typeText("label"));
        QVERIFY(click(labels, kLabelNew)); // 加 入
        // The first label (its row just under the headers, which are 16 px high
        // in 宋体 or its stand-in and 23 in a wider CJK font) is deleted.
        QVERIFY(m_run->clickAt(labels, 40, px(480) + 26));
        QVERIFY(click(labels, kLabelDelete));
        QVERIFY(click(labels, kLabelSave));
        // The point edit was still pending in its field: the press that brings
        // the window back applies it. Then a point is added and all saved.
        QVERIFY(click(points, kPointAdd));
        QVERIFY(retype(points, kPointX, "49"));
        QVERIFY(retype(points, kPointY, "0.4"));
        QVERIFY(click(points, kPointAdd)); // 加 入
        QVERIFY(click(points, kPointSave));
        screenshot("program-3-both-saved");

        // The first label of the triangular figure gave way to the new one; the
        // first point of B002 moved, and the new point went in at its list
        // position with the line and curve the fields kept.
        const QStringList firstLabel =
            before.value("picLable").filter(QRegularExpression("^\\|th=" + labelFigure + "\\|ID=1\\|"));
        const QStringList firstPoint = before.value("pData").filter(QRegularExpression("^\\|th=B002\\|ID=1\\|"));
        QVERIFY(firstLabel.size() == 1 && firstPoint.size() == 1);
        const QString moved = QString(firstPoint[0]).replace("|X=" + field(firstPoint[0], "X") + '|', "|X=47.5|");
        QStringList expected = {
            "-picLable" + firstLabel[0],
            QString("+picLable|th=%1|ID=%2|X=50|Y=5|Lbl=E2E\r\nlabel|")
                .arg(labelFigure).arg(before.value("picLable").filter("|th=" + labelFigure + '|').size() + 1),
            "-pData" + firstPoint[0], "+pData" + moved,
            QString("+pData|th=B002|ID=%1|Series=%2|curve=%3|X=49|Y=%4|L=1|")
                .arg(before.value("pData").filter("|th=B002|").size() + 1)
                .arg(field(moved, "Series"), field(moved, "curve"), QString::number(0.4, 'g', 17))};
        expected.sort();
        QTRY_COMPARE_WITH_TIMEOUT(m_run->changes(), expected, 10000);
        QCOMPARE(m_run->windows().size(), 3); // no message box came up
    }

    // A diagram's boundary lines typed into a text file, copied, pasted into
    // the point list with Ctrl+V and saved: three actions for 23 points.
    void pastedPointsAreSaved()
    {
        QString table = "点号\t线号\t是否曲线\tX-值\tY-值\t线型\r\n";
        QStringList expected;
        const int stored = m_run->before().value("pData").filter("|th=B002|").size();
        for (int i = 0; i < 23; ++i) {
            const int line = i < 8 ? 1 : i < 16 ? 2 : 3;
            const double x = 41 + i * 1.25, y = 0.5 + (i % 8) * 1.75;
            table += QString("%1\t%2\tFalse\t%3\t%4\t1\r\n").arg(i + 1).arg(line).arg(x).arg(y);
            expected << QString("+pData|th=B002|ID=%1|Series=%2|curve=0|X=%3|Y=%4|L=1|")
                            .arg(stored + i + 1).arg(line).arg(x).arg(y);
        }
        expected.sort();
        QVERIFY(copyToClipboard(table));

        QVERIFY(clickRow(1, 2)); // B002's points
        const QString points = m_run->findWindow("Data Manager");
        QVERIFY2(!points.isEmpty(), "a double click opened no point editor");
        xdo({"windowmove", "--sync", points, "1040", "0"});
        QVERIFY(m_run->clickAt(points, 40, 42)); // the list has the focus
        QVERIFY(key("ctrl+v"));
        QVERIFY(click(points, kPointSave));
        screenshot("program-4-pasted-points");
        QTRY_COMPARE_WITH_TIMEOUT(m_run->changes(), expected, 10000);
        QCOMPARE(m_run->windows().size(), 2); // no message box came up
    }

    // A variant of the TAS diagram in three actions: Ctrl+D, 保 存, and its
    // windows; the copy's preview draws exactly what the original's does.
    void duplicatedFigureDrawsAsItsOriginal()
    {
        QVERIFY(clickRow(0)); // B001, the TAS diagram
        QVERIFY(key("ctrl+d"));
        QVERIFY(click(m_main, kCatalogueSave));
        const CatalogueDump before = m_run->before();
        const QRegularExpression added("^\\+picMain\\|th=(B\\d+)\\|tm=TAS[^|]*（副本）\\|");
        QTRY_COMPARE_WITH_TIMEOUT(m_run->changes().filter(added).size(), 1, 10000);
        const QString copy = added.match(m_run->changes().filter(added).first()).captured(1);
        const int points = before.value("pData").filter("|th=B001|").size();
        QCOMPARE(m_run->changes().filter("+pData|th=" + copy + '|').size(), points);

        const QString editor = openAt(kShowPoints, "Data Manager", 1040, 0);
        QCOMPARE(xdo({"getwindowname", editor}), "Orrisplot—Figure Data Manager：" + copy + "    ");
        const auto openPreview = [&] {
            return m_run->clickAt(m_main, px(kThumbnail.x() + kThumbnail.width() / 2),
                                  px(kThumbnail.y() + kThumbnail.height() / 2), 1, 2);
        };
        const auto drawing = [&] {
            const QString preview = m_run->findWindow("图版预览");
            xdo({"windowmove", "--sync", preview, "1040", "500"});
            QTest::qWait(500);
            return QGuiApplication::primaryScreen()->grabWindow(0).toImage().copy(m_run->clientArea(preview));
        };
        QVERIFY(openPreview());
        const QImage copied = drawing();
        screenshot("program-5-duplicate-preview");
        QVERIFY(clickRow(0));
        QVERIFY(openPreview());
        const QImage original = drawing();
        QVERIFY(!original.isNull());
        QCOMPARE(copied, original);
    }
};

QTEST_MAIN(ProgramE2eTest)
#include "tst_e2e_program.moc"
