// Start-up of the catalogue window and loading of the figure list.
#include "tests/support/MessageRecorder.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"

#include "app/mQuillar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

class FigureListTest : public QObject
{
    Q_OBJECT

private slots:
    void startupListsCartesianFiguresByThumbnailName();
    void switchingTypeReloadsAndSwapsFrameForNotice();
    void startupFillsCombosAndColumns();
    void nullsAnywhereGiveEmptyCells();
    void emptyCatalogueKeepsInitialTexts();
    void unknownTypeTouchesNoControl();
    void unopenableCatalogueSaysSoOncePerLoad_data();
    void unopenableCatalogueSaysSoOncePerLoad();
    void unqueryableCatalogueGivesEmptyList();
    void keyboardMoveShowsRowLikeAClick();
};

void FigureListTest::startupListsCartesianFiguresByThumbnailName()
{
    TestInstallRoot root;
    root.insertFigure(cartesianFigure("B001", "BP003"));
    root.insertFigure(cartesianFigure("B002", "BP001"));
    root.insertFigure(triangularFigure("T001", "TP001"));
    MessageRecorder messages;
    fMain w;
    w.Form_Load();

    QVERIFY(control<QRadioButton>(w, "Opt1")->isChecked());
    QCOMPARE(gFigType, 1);
    QCOMPARE(control<QLabel>(w, "lblNumber")->text(), QStringLiteral("共有 2 个图版"));
    ListView *list = figureList(w);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->cell(0, 1), QStringLiteral("B002")); // ordered by thumbnail name
    QCOMPARE(list->cell(1, 1), QStringLiteral("B001"));
    QCOMPARE(list->text(0), QStringLiteral("1"));
    QCOMPARE(list->text(1), QStringLiteral("2"));
    QCOMPARE(list->tag(1), 0);
    const QStringList expected = {"B002", "图 B002", "BP001", "3", "0.1", "100", "5", "10", "-2.5", "True", "2",
                                  "1", "1000", "1", "10", "1", "False", "-1", "True", "4", "说明 B002", "True",
                                  "False"};
    for (int cell = 1; cell <= 23; ++cell)
        QCOMPARE(list->cell(0, cell), expected[cell - 1]);
    // Start-up shows the selected (first) row in the panel.
    QCOMPARE(control<QLineEdit>(w, "tTh")->text(), QStringLiteral("B002"));
    QCOMPARE(messages.count(), 0);
}

void FigureListTest::switchingTypeReloadsAndSwapsFrameForNotice()
{
    TestInstallRoot root;
    root.insertFigure(cartesianFigure("B001", "BP001"));
    root.insertFigure(triangularFigure("T001", "TP001"));
    root.insertFigure(triangularFigure("T002", "TP002"));
    fMain w;
    w.Form_Load();
    w.show();
    auto *frame = control<QGroupBox>(w, "Frame1");
    auto *notice = control<QLabel>(w, "sjx");
    auto *border = control<QCheckBox>(w, "CheckBorder");
    QVERIFY(frame->isVisible() && frame->isEnabled() && border->isEnabled());
    QCOMPARE(notice->text(), QStringLiteral("三角形图解没有坐标参数"));

    clickOption(w, "Opt2");
    QCOMPARE(gFigType, 2);
    ListView *list = figureList(w);
    QCOMPARE(list->count(), 2);
    QCOMPARE(control<QLabel>(w, "lblNumber")->text(), QStringLiteral("共有 2 个图版"));
    for (int cell = 5; cell <= 19; ++cell)
        QVERIFY(list->cell(0, cell).isEmpty());
    QCOMPARE(list->cell(0, 20), QStringLiteral("7"));
    QVERIFY(!frame->isVisible() && !frame->isEnabled() && !border->isEnabled());
    QVERIFY(notice->isVisible());
    // The panel keeps the figure shown before the switch until a row is picked.
    QCOMPARE(control<QLineEdit>(w, "tTh")->text(), QStringLiteral("B001"));

    clickOption(w, "Opt1");
    QCOMPARE(list->count(), 1);
    QVERIFY(frame->isVisible() && frame->isEnabled() && border->isEnabled());
}

void FigureListTest::startupFillsCombosAndColumns()
{
    TestInstallRoot root;
    fMain w;
    w.Form_Load();
    auto items = [](QComboBox *combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    };
    QStringList groups;
    for (int g = 1; g <= 10; ++g)
        groups << QString::number(g);
    QCOMPARE(items(control<QComboBox>(w, "comGroup")), groups);
    const QStringList decimals = {"-1", "0", "1", "2", "3", "4"};
    QCOMPARE(items(control<QComboBox>(w, "CombX7")), decimals);
    QCOMPARE(items(control<QComboBox>(w, "CombY7")), decimals);
    ListView *list = figureList(w);
    QCOMPARE(list->columnCountShown(), 24);
    QCOMPARE(list->columnCaption(0), QStringLiteral("序号"));
    QCOMPARE(list->columnCaption(21), QStringLiteral("图表说明"));
    QCOMPARE(list->columnCaption(23), QStringLiteral("位图"));
    QCOMPARE(w.windowTitle(), QStringLiteral(" Strativa - Orrisplot - 图版管理"));
    QCOMPARE(gMiniMapDir, root.root() + QStringLiteral("/Diagram/MiniMap/"));
}

void FigureListTest::nullsAnywhereGiveEmptyCells()
{
    TestInstallRoot root;
    // Older catalogues have no constraints and hold NULLs in any column.
    root.exec("DROP TABLE picMain");
    root.exec("CREATE TABLE picMain (th TEXT, tm TEXT, figName TEXT, grp INTEGER, LB TEXT, X1 REAL, X2 REAL, X3 REAL,"
              " X4 REAL, X5 REAL, X6 BOOLEAN, X7 INTEGER, Y1 REAL, Y2 REAL, Y3 REAL, Y4 REAL, Y5 REAL, Y6 BOOLEAN,"
              " Y7 INTEGER, border BOOLEAN, specialCase INTEGER, Comment TEXT, Vector BOOLEAN, Bitmap BOOLEAN)");
    root.exec("INSERT INTO picMain (th, LB) VALUES (NULL, 'B')");
    root.exec("INSERT INTO picMain (th, LB, figName, X1) VALUES ('B002', 'B', 'BP002', 2.5)");
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    ListView *list = figureList(w);
    QCOMPARE(list->count(), 2);
    for (int cell = 1; cell <= 23; ++cell)
        QVERIFY2(list->cell(0, cell).isEmpty(), qPrintable(QString::number(cell)));
    QCOMPARE(list->cell(1, 1), QStringLiteral("B002"));
    QCOMPARE(list->cell(1, 5), QStringLiteral("2.5"));
    QVERIFY(list->cell(1, 20).isEmpty());
    QCOMPARE(messages.count(), 0);
}

void FigureListTest::emptyCatalogueKeepsInitialTexts()
{
    TestInstallRoot root;
    fMain w;
    w.Form_Load();
    QCOMPARE(figureList(w)->count(), 0);
    QCOMPARE(control<QLabel>(w, "lblNumber")->text(), QStringLiteral("共有 0 个图版"));
    QCOMPARE(control<QLineEdit>(w, "tTh")->text(), QStringLiteral("Text1"));
    QCOMPARE(control<QLineEdit>(w, "tX3")->text(), QStringLiteral("X3"));
    QCOMPARE(control<QLineEdit>(w, "tY5")->text(), QStringLiteral("Y5"));
    QCOMPARE(control<QComboBox>(w, "CombX7")->currentText(), QStringLiteral("Combo1"));
    QCOMPARE(control<QPlainTextEdit>(w, "tComment")->toPlainText(), QStringLiteral("Text1"));
}

void FigureListTest::unknownTypeTouchesNoControl()
{
    TestInstallRoot root;
    root.insertFigure(triangularFigure("T001", "TP001"));
    root.insertFigure(cartesianFigure("B001", "BP001"));
    fMain w;
    w.Form_Load();
    clickOption(w, "Opt2");
    auto *frame = control<QGroupBox>(w, "Frame1");
    QVERIFY(frame->isHidden());
    w.LoadFigData(3);
    QVERIFY(frame->isHidden());
    QVERIFY(!control<QCheckBox>(w, "CheckBorder")->isEnabled());
    QCOMPARE(figureList(w)->count(), 0); // no figure has an empty type letter
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
    TestInstallRoot root;
    QFile::remove(root.cataloguePath());
    if (!content.isEmpty()) {
        QFile file(root.cataloguePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text, QStringLiteral("无法打开图版数据库：") + root.cataloguePath());
    QVERIFY(!messages.last().detail.isEmpty());
    QCOMPARE(figureList(w)->count(), 0);
    QCOMPARE(control<QLabel>(w, "lblNumber")->text(), QStringLiteral("共有 0 个图版"));

    clickOption(w, "Opt2");
    QCOMPARE(messages.count(), 2);
    // Opening never creates or changes the file.
    QCOMPARE(QFile::exists(root.cataloguePath()), !content.isEmpty());
    if (!content.isEmpty()) {
        QFile file(root.cataloguePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }
}

void FigureListTest::unqueryableCatalogueGivesEmptyList()
{
    TestInstallRoot root;
    root.exec("DROP TABLE picMain");
    root.exec("CREATE TABLE picMain (th TEXT, tm TEXT)"); // no type column to select on
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    QCOMPARE(figureList(w)->count(), 0);
    QCOMPARE(control<QLabel>(w, "lblNumber")->text(), QStringLiteral("共有 0 个图版"));
    QCOMPARE(messages.count(), 1);
    QVERIFY(messages.last().detail.contains("LB"));
}

void FigureListTest::keyboardMoveShowsRowLikeAClick()
{
    TestInstallRoot root;
    root.insertFigure(cartesianFigure("B001", "BP001"));
    root.insertFigure(cartesianFigure("B002", "BP002"));
    fMain w;
    w.Form_Load();
    w.show();
    ListView *list = figureList(w);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->selectedRow(), 1);
    QCOMPARE(control<QLineEdit>(w, "tTh")->text(), QStringLiteral("B002"));
}

QTEST_MAIN(FigureListTest)
#include "tst_figure_list.moc"
