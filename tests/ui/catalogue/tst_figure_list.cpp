// Start-up of the catalogue window and loading of the figure list.
#include "tests/ui/catalogue/CatalogueTestKit.h"

#include "app/mQuillar.h"

#include <QComboBox>
#include <QFile>
#include <QRadioButton>

class FigureListTest : public QObject
{
    Q_OBJECT

private slots:
    void startupListsCartesianFiguresByThumbnailName();
    void switchingTypeReloadsAndSwapsFrameForNotice();
    void startupFillsCombosAndKeepsInitialTexts();
    void nullsAnywhereGiveEmptyCells();
    void unopenableCatalogueSaysSoOncePerLoad_data();
    void unopenableCatalogueSaysSoOncePerLoad();
    void unqueryableCatalogueGivesEmptyList();
    void keyboardMoveShowsRowLikeAClick();
};

void FigureListTest::startupListsCartesianFiguresByThumbnailName()
{
    CatalogueWindow c({cartesianFigure("B001", "BP003"),
                       cartesianFigure("B002", "BP001"),
                       triangularFigure("T001", "TP001")});
    fMain &w = c.open();

    QVERIFY(control<QRadioButton>(w, "Opt1")->isChecked());
    QCOMPARE(gFigType, 1);
    QCOMPARE(shown(w, "lblNumber"), QStringLiteral("共有 2 个图版"));
    ListView *list = figureList(w);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->cell(1, 1), QStringLiteral("B001")); // ordered by thumbnail name
    QCOMPARE(list->text(1), QStringLiteral("2"));
    QCOMPARE(list->tag(1), 0);
    const QStringList expected = {"B002", "图 B002", "BP001", "3", "0.1", "100", "5", "10", "-2.5", "True", "2",
                                  "1", "1000", "1", "10", "1", "False", "-1", "True", "4", "说明 B002", "True",
                                  "False"};
    for (int cell = 1; cell <= 23; ++cell)
        QCOMPARE(list->cell(0, cell), expected[cell - 1]);
    QCOMPARE(shown(w, "tTh"), QStringLiteral("B002")); // start-up shows the selected row
    QCOMPARE(c.messages.count(), 0);
}

void FigureListTest::switchingTypeReloadsAndSwapsFrameForNotice()
{
    CatalogueWindow c({cartesianFigure("B001", "BP001"),
                       triangularFigure("T001", "TP001"),
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

void FigureListTest::startupFillsCombosAndKeepsInitialTexts()
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
    QCOMPARE(w.windowTitle(), QStringLiteral(" Strativa - Orrisplot - 图版管理"));
    QCOMPARE(gMiniMapDir, c.root.root() + "/Diagram/MiniMap/");
    // An empty catalogue: nothing to show, the fields keep their first texts.
    QCOMPARE(shown(w, "lblNumber"), QStringLiteral("共有 0 个图版"));
    QCOMPARE(firstMismatch(w, {{"tTh", "Text1"}, {"tX3", "X3"}, {"tY5", "Y5"}, {"CombX7", "Combo1"},
                               {"comGroup", "1"}, {"tComment", "Text1"}}),
             QString());
}

void FigureListTest::nullsAnywhereGiveEmptyCells()
{
    CatalogueWindow c;
    // Older catalogues have no constraints and hold NULLs in any column.
    c.root.exec("DROP TABLE picMain");
    c.root.exec("CREATE TABLE picMain (th TEXT, tm TEXT, figName TEXT, grp INTEGER, LB TEXT, X1 REAL, X2 REAL,"
                " X3 REAL, X4 REAL, X5 REAL, X6 BOOLEAN, X7 INTEGER, Y1 REAL, Y2 REAL, Y3 REAL, Y4 REAL, Y5 REAL,"
                " Y6 BOOLEAN, Y7 INTEGER, border BOOLEAN, specialCase INTEGER, Comment TEXT, Vector BOOLEAN,"
                " Bitmap BOOLEAN)");
    c.root.exec("INSERT INTO picMain (th, LB) VALUES (NULL, 'B')");
    c.root.exec("INSERT INTO picMain (th, LB, figName, X1) VALUES ('B002', 'B', 'BP002', 2.5)");
    fMain &w = c.open();
    ListView *list = figureList(w);
    QCOMPARE(list->count(), 2);
    for (int cell = 1; cell <= 23; ++cell)
        QVERIFY2(list->cell(0, cell).isEmpty(), qPrintable(QString::number(cell)));
    QCOMPARE(list->cell(1, 5), QStringLiteral("2.5"));
    QVERIFY(list->cell(1, 20).isEmpty());
    QCOMPARE(c.messages.count(), 0);
}

void FigureListTest::unopenableCatalogueSaysSoOncePerLoad_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("Jet file") << QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20).leftJustified(4096, '\0');
    QTest::newRow("text") << QByteArray("not a catalogue\n");
}

void FigureListTest::unopenableCatalogueSaysSoOncePerLoad()
{
    QFETCH(QByteArray, content);
    CatalogueWindow c;
    QFile file(c.root.cataloguePath());
    QVERIFY(file.remove());
    if (!content.isEmpty()) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
    }
    fMain &w = c.open();
    QCOMPARE(c.messages.count(), 1);
    QCOMPARE(c.messages.last().text, "无法打开图版数据库：" + c.root.cataloguePath());
    QVERIFY(!c.messages.last().detail.isEmpty());
    QCOMPARE(figureList(w)->count(), 0);
    QCOMPARE(shown(w, "lblNumber"), QStringLiteral("共有 0 个图版"));

    clickOption(w, "Opt2");
    QCOMPARE(c.messages.count(), 2);
    // Opening never creates or changes the file.
    QCOMPARE(file.exists(), !content.isEmpty());
    if (!content.isEmpty()) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }
}

void FigureListTest::unqueryableCatalogueGivesEmptyList()
{
    CatalogueWindow c;
    c.root.exec("DROP TABLE picMain");
    c.root.exec("CREATE TABLE picMain (th TEXT, tm TEXT)"); // no type column to select on
    fMain &w = c.open();
    QCOMPARE(figureList(w)->count(), 0);
    QCOMPARE(shown(w, "lblNumber"), QStringLiteral("共有 0 个图版"));
    QCOMPARE(c.messages.count(), 1);
    QVERIFY(c.messages.last().detail.contains("LB"));
}

void FigureListTest::keyboardMoveShowsRowLikeAClick()
{
    CatalogueWindow c;
    addCartesianFigures(c.root, 2);
    fMain &w = c.open();
    w.show();
    figureList(w)->setFocus();
    QTest::keyClick(figureList(w), Qt::Key_Down);
    QCOMPARE(figureList(w)->selectedRow(), 1);
    QCOMPARE(shown(w, "tTh"), QStringLiteral("B002"));
}

QTEST_MAIN(FigureListTest)
#include "tst_figure_list.moc"
