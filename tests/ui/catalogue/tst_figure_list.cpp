// Start-up of the catalogue window and loading of the figure list.
#include "tests/ui/catalogue/CatalogueTestKit.h"

#include "app/mQuillar.h"
#include "tests/support/WriteLock.h"

#include <QComboBox>
#include <QFile>
#include <QRadioButton>

class FigureListTest : public QObject
{
    Q_OBJECT

private slots:
    void startupListsCartesianFiguresByThumbnailName();
    void emptyCatalogueKeepsTheInitialTexts();
    void switchingTypeSwapsTheAxisFrameForTheNotice();
    void unopenableCatalogueSaysSoOncePerLoad();
    void longListReadsItsRowsWhenShown();
};

void FigureListTest::startupListsCartesianFiguresByThumbnailName()
{
    CatalogueWindow c({cartesianFigure("B001", "BP003"),
                       cartesianFigure("B002", "BP001"),
                       triangularFigure("T001", "TP001")});
    fMain &w = c.open();

    QVERIFY(control<QRadioButton>(w, "Opt1")->isChecked());
    QCOMPARE(gFigType, 1);
    QCOMPARE(w.windowTitle(), QStringLiteral(" Strativa - Orrisplot - 图版管理"));
    QCOMPARE(gMiniMapDir, c.root.root() + "/Diagram/MiniMap/");
    QCOMPARE(shown(w, "lblNumber"), QStringLiteral("共有 2 个图版"));
    ListView *list = figureList(w);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->cell(1, 1), QStringLiteral("B001")); // ordered by thumbnail name
    QCOMPARE(list->text(1), QStringLiteral("2"));
    const QStringList expected = {"B002", "图 B002", "BP001", "3", "0.1", "100", "5", "10", "-2.5", "True", "2",
                                  "1", "1000", "1", "10", "1", "False", "-1", "True", "4", "说明 B002", "True",
                                  "False"};
    for (int cell = 1; cell <= 23; ++cell)
        QCOMPARE(list->cell(0, cell), expected[cell - 1]);
    QCOMPARE(shown(w, "tTh"), QStringLiteral("B002")); // start-up shows the selected row
    QCOMPARE(c.messages.count(), 0);

    // A key move shows the row as a click does.
    w.show();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->selectedRow(), 1);
    QCOMPARE(shown(w, "tTh"), QStringLiteral("B001"));
}

void FigureListTest::emptyCatalogueKeepsTheInitialTexts()
{
    CatalogueWindow c;
    fMain &w = c.open();
    auto items = [&w](const char *name) {
        QStringList texts;
        for (auto *combo = control<QComboBox>(w, name); texts.size() < combo->count();)
            texts << combo->itemText(texts.size());
        return texts.join(' ');
    };
    QCOMPARE(items("comGroup"), QStringLiteral("1 2 3 4 5 6 7 8 9 10"));
    QCOMPARE(items("CombX7"), QStringLiteral("-1 0 1 2 3 4"));
    QCOMPARE(items("CombY7"), QStringLiteral("-1 0 1 2 3 4"));
    QCOMPARE(shown(w, "lblNumber"), QStringLiteral("共有 0 个图版"));
    QCOMPARE(firstMismatch(w, {{"tTh", "Text1"}, {"tX3", "X3"}, {"tY5", "Y5"}, {"CombX7", "Combo1"},
                               {"comGroup", "1"}, {"tComment", "Text1"}}),
             QString());
}

void FigureListTest::switchingTypeSwapsTheAxisFrameForTheNotice()
{
    CatalogueWindow c({cartesianFigure("B001", "BP001"), triangularFigure("T001", "TP001"),
                       triangularFigure("T002", "TP002")});
    fMain &w = c.open();
    w.show();
    QWidget *frame = control(w, "Frame1");
    QWidget *border = control(w, "CheckBorder");
    QVERIFY(frame->isVisible() && frame->isEnabled() && border->isEnabled());

    clickOption(w, "Opt2");
    QCOMPARE(gFigType, 2);
    ListView *list = figureList(w);
    QCOMPARE(shown(w, "lblNumber"), QStringLiteral("共有 2 个图版"));
    for (int cell = 5; cell <= 19; ++cell)
        QVERIFY(list->cell(0, cell).isEmpty());
    QCOMPARE(list->cell(0, 20), QStringLiteral("7"));
    QVERIFY(!frame->isVisible() && !frame->isEnabled() && !border->isEnabled());
    QVERIFY(control(w, "sjx")->isVisible());
    QCOMPARE(shown(w, "sjx"), QStringLiteral("三角形图解没有坐标参数"));
    // The panel keeps the figure shown before the switch until a row is picked.
    QCOMPARE(shown(w, "tTh"), QStringLiteral("B001"));

    w.LoadFigData(3); // an unknown type touches no control and lists nothing
    QVERIFY(!frame->isVisible() && !border->isEnabled());
    QCOMPARE(list->count(), 0);

    clickOption(w, "Opt1");
    QCOMPARE(list->count(), 1);
    QVERIFY(frame->isVisible() && frame->isEnabled() && border->isEnabled());
}

// What a connection refuses to open, tst_database proves; here the window says so.
void FigureListTest::unopenableCatalogueSaysSoOncePerLoad()
{
    CatalogueWindow c;
    QVERIFY(QFile::remove(c.root.cataloguePath()));
    fMain &w = c.open();
    QCOMPARE(c.messages.count(), 1);
    QCOMPARE(c.messages.last().text, "无法打开图版数据库：" + c.root.cataloguePath() + "\n图版数据库文件不存在");
    QVERIFY(c.messages.last().detail.startsWith("图版数据库文件不存在"));
    QCOMPARE(figureList(w)->count(), 0);
    QCOMPARE(shown(w, "lblNumber"), QStringLiteral("共有 0 个图版"));
    clickOption(w, "Opt2");
    QCOMPARE(c.messages.count(), 2);
    // Without an install root the path means nothing: the box names the file and key to set.
    TestInstallRoot::clearSettings();
    clickOption(w, "Opt1");
    QCOMPARE(c.messages.count(), 3);
    const QString text = c.messages.last().text;
    QVERIFY2(text.contains("Kestomar software.conf") && text.contains("[Strativa]") && text.contains("Path=")
                 && text.contains("quillar-demo demo"),
             qPrintable(text));
}

QTEST_MAIN(FigureListTest)
#include "tst_figure_list.moc"

// A long list reads its keys in the select's order and each row's values
// when it is first shown or asked for: a row shown at once keeps what it
// read, a row read later reads what is stored then, through the connection
// of then, and a row whose record is gone keeps its keys without a word.
void FigureListTest::longListReadsItsRowsWhenShown()
{
    CatalogueWindow c;
    addCartesianFigures(c.root, 2000);
    c.root.exec("UPDATE picMain SET figName = 'F' || (_rowid_ % 7), Comment = '早'"); // thumbnails tie in sevens
    c.root.insertFigure(triangularFigure("T001", "TP001"));
    fMain &w = c.open();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCoreApplication::processEvents();
    ListView *list = figureList(w);
    QCOMPARE(shown(w, "lblNumber"), QStringLiteral("共有 2000 个图版"));

    const auto inListOrder = [&c](const char *field) {
        return c.root.scalar(QString("SELECT group_concat(%1, ' ') FROM (select * from picMain where LB = 'B' "
                                     "order by figName)").arg(field)).toString().split(' ');
    };
    const QStringList stored = inListOrder("th"), thumbnails = inListOrder("figName");
    QStringList listed;
    for (int r = 0; r < list->count(); ++r)
        listed << list->cell(r, 1);
    QCOMPARE(listed, stored);

    c.root.exec("UPDATE picMain SET Comment = '晚'");
    c.root.exec("DELETE FROM picMain WHERE th = ?", {stored[1900]});
    OpenDatabase(); // as another window's reload does
    QCOMPARE(list->cell(0, 21), QStringLiteral("早"));
    QCOMPARE(list->cell(1500, 21), QStringLiteral("晚"));
    QCOMPARE(list->cell(1500, 5), QStringLiteral("0.1"));
    QCOMPARE(list->text(1500), QStringLiteral("1501"));
    QCOMPARE(list->cell(1900, 1), stored[1900]);
    QCOMPARE(list->cell(1900, 3), thumbnails[1900]);
    QVERIFY(list->cell(1900, 21).isEmpty());
    QCOMPARE(c.messages.count(), 0);

    // A row that cannot be read is not offered for editing: blank fields
    // would be saved over the figure's values. The panel keeps its figure.
    const auto pick = [&](int row) {
        list->selectOnly(row);
        w.LvFigure_Click();
    };
    pick(1900);
    QCOMPARE(c.messages.count(), 1);
    QVERIFY(c.messages.last().text.contains("不在图版数据库中"));
    QCOMPARE(list->selectedRow(), 0);
    QCOMPARE(shown(w, "tTh"), stored[0]);
    {
        WriteLock lock(c.root.cataloguePath());
        pick(1700);
        QCOMPARE(c.messages.count(), 2);
        QVERIFY(c.messages.last().text.contains("锁定"));
        QCOMPARE(list->selectedRow(), 0);
    }
    QCOMPARE(shown(w, "tTh"), stored[0]);
}
