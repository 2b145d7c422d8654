// Showing a figure in the editor panel, editing the list from it, and what
// the save refuses. That edits mark their rows and saves write them in list
// order, the random sequences prove; these are the texts a user reads.
#include "tests/ui/catalogue/CatalogueTestKit.h"

#include "tests/support/FigureEditorKit.h"

#include "platform/geometry/Twips.h"
#include "ui/catalogue/NewFigNumber.h"

#include <QFile>
#include <QLabel>

namespace {

// The smallest valid GIF: one pixel.
const QByteArray kGif = QByteArray::fromHex("47494638396101000100800000000000ffffff21f90401000000002c000000000100010000020144003b");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString nameOf(const TestInstallRoot &root, const QString &number)
{
    return root.scalar("SELECT tm FROM picMain WHERE th = '" + number + "'").toString();
}

bool showsPicture(const QWidget &w)
{
    return !control<QLabel>(w, "Image1")->pixmap().isNull();
}

} // namespace

class FigurePanelTest : public QObject
{
    Q_OBJECT

private slots:
    void clickingRowsFillsThePanel();
    void thumbnailFollowsTheRow();
    void proposesNextFigureNumber_data();
    void proposesNextFigureNumber();
    void buttonsNeedACurrentRow();
    void failingRowIsNamedInTheMessage();
    void pointsAndLabelsFollowTheirFigure();
    void emptyNumberIsRefused();
};

void FigurePanelTest::clickingRowsFillsThePanel()
{
    CatalogueWindow c({cartesianFigure("B001", "BP001")});
    QVariantMap second = cartesianFigure("B002", "BP002");
    for (const char *flag : {"X6", "border", "Vector"})
        second[flag] = 0;
    second["Y6"] = second["Bitmap"] = 1;
    c.root.insertFigure(second);
    c.root.insertFigure(triangularFigure("T001", "TP001"));
    fMain &w = c.open();
    clickRow(w, 1);
    QCOMPARE(firstMismatch(w, {
        {"tTh", "B002"}, {"tPicName", "图 B002"}, {"tFigName", "BP002"}, {"comGroup", "3"}, {"tX1", "0.1"},
        {"tX2", "100"}, {"tX3", "5"}, {"tX4", "10"}, {"tX5", "-2.5"}, {"CheckX6", "clear"}, {"CombX7", "2"},
        {"tY1", "1"}, {"tY2", "1000"}, {"tY3", "1"}, {"tY4", "10"}, {"tY5", "1"}, {"CheckY6", "ticked"},
        {"CombY7", "-1"}, {"CheckBorder", "clear"}, {"tSPCase", "4"}, {"tComment", "说明 B002"},
        {"CheckVector", "clear"}, {"CheckBitmap", "ticked"}}),
             QString());

    // A triangular row leaves the hidden axis fields as the last Cartesian row set them.
    clickOption(w, "Opt2");
    clickRow(w, 0);
    QCOMPARE(shown(w, "tTh"), QStringLiteral("T001"));
    QCOMPARE(shown(w, "tSPCase"), QStringLiteral("7"));
    QCOMPARE(shown(w, "tX2"), QStringLiteral("100"));
    QCOMPARE(shown(w, "CheckY6"), QStringLiteral("ticked"));
}

void FigurePanelTest::thumbnailFollowsTheRow()
{
    CatalogueWindow c;
    const QStringList names = {"BP001", "BP002", "BP003", "BP013", "../outside", "BP999"};
    for (int i = 0; i < names.size(); ++i)
        c.root.insertFigure(cartesianFigure(QString("B00%1").arg(i), names[i]));
    writeFile(c.root.thumbnailDir() + "/BP001.gif", kGif);
    writeFile(c.root.thumbnailDir() + "/BP003.gif", "GIF89a broken"); // present, but no picture
    writeFile(c.root.thumbnailDir() + "/BP013.GIF", kGif);            // other letter case
    writeFile(c.root.root() + "/Diagram/outside.gif", kGif);          // outside the folder
    // The picture above, 65535 x 65535 pixels by its headers: beyond what Qt will allocate.
    writeFile(c.root.thumbnailDir() + "/BP999.gif",
              QByteArray::fromHex("474946383961ffffffff800000000000ffffff21f90401000000002c00000000ffffffff0002024401003b"));
    fMain &w = c.open(); // listed by thumbnail name: ../outside comes first
    QCOMPARE(shown(w, "tFigName"), QStringLiteral("../outside"));
    QVERIFY(!showsPicture(w));
    clickRow(w, 1);
    QVERIFY(showsPicture(w));
    QCOMPARE(control(w, "Image1")->geometry(), twipsRect(200, 4900, 5896, 5056));
    const auto why = [&w] { return control(w, "Image1")->toolTip().section('\n', 0, 0); };
    QVERIFY(why().startsWith("双击")); // a picture shown leaves only the hint
    clickRow(w, 2);
    QVERIFY(!showsPicture(w));
    QCOMPARE(why(), QStringLiteral("没有缩略图文件 BP002.gif"));
    clickRow(w, 1);
    clickRow(w, 3);
    QVERIFY(!showsPicture(w)); // not the previous figure's picture
    QVERIFY2(why().contains("BP003.gif") && why().contains("无法读取"), qPrintable(why()));
    clickRow(w, 4);
    QVERIFY(showsPicture(w));
    clickRow(w, 5);
    QVERIFY(!showsPicture(w));
    QVERIFY2(why().contains("65535×65535 像素") && why().contains("太大"), qPrintable(why()));
}

void FigurePanelTest::proposesNextFigureNumber_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("next");
    QTest::newRow("plain") << "A012" << "A013";
    QTest::newRow("carry") << "A099" << "A100";
    QTest::newRow("four digits") << "B999" << "B1000";
    QTest::newRow("no digits") << "AB" << "A001";
    QTest::newRow("middle dropped") << "A1234" << "A235";
    QTest::newRow("huge tail") << "B9e9" << "B001";
}

void FigurePanelTest::proposesNextFigureNumber()
{
    QFETCH(QString, last);
    QFETCH(QString, next);
    QCOMPARE(nextFigureNumber(last), next);
}

void FigurePanelTest::buttonsNeedACurrentRow()
{
    CatalogueWindow c({cartesianFigure("B001", "BP001"), triangularFigure("T001", "TP001")});
    fMain &w = c.open();
    clickOption(w, "Opt2"); // the row shown before belonged to the other list
    click(w, "cmdUpdate");
    click(w, "CmdDelete");
    QCOMPARE(c.messages.count(), 2);
    QCOMPARE(c.messages.last().text, QStringLiteral("请先在列表中选择一个图版。"));
    QCOMPARE(marks(figureList(w)), QStringLiteral("1"));
}

void FigurePanelTest::failingRowIsNamedInTheMessage()
{
    CatalogueWindow c;
    addCartesianFigures(c.root, 4);
    fMain &w = c.open();
    editRow(w, 1, "tPicName", "二");
    clickRow(w, 3);
    type(w, "tPicName", "四");
    type(w, "tX1", "abc"); // a REAL column cannot take it
    click(w, "cmdUpdate");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 1);
    const QString shownText = c.messages.last().text;
    QVERIFY2(shownText.startsWith(QStringLiteral("不好意思，出错了！\n")) && shownText.contains("B004") && shownText.contains("X1"),
             qPrintable(shownText));
    QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3 4*"));
    QCOMPARE(nameOf(c.root, "B002") + nameOf(c.root, "B004"), QStringLiteral("二图 B004")); // no half-written record
}

// Renaming moves a figure's points and labels in the same save; a number that
// already has some refuses the rename like any failing row. Deleting takes
// them along, and a later figure under that number keeps its own.
void FigurePanelTest::pointsAndLabelsFollowTheirFigure()
{
    CatalogueWindow c;
    addCartesianFigures(c.root, 4);
    c.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 1, 2, 1), "
                "('B001', 2, 1, 0, 3, 4, 1), ('B002', 1, 1, 0, 5, 6, 1), ('B003', 1, 1, 0, 7, 8, 1)");
    c.root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', 1, 0, 0, '一'), ('B003', 1, 0, 0, '三'), "
                "('B009', 1, 0, 0, '前人留下的')");
    auto figuresOf = [&](const char *table) {
        return recordsText(c.root, QString("SELECT th, count(*) FROM %1 GROUP BY th ORDER BY th").arg(table));
    };
    fMain &w = c.open();
    editRow(w, 0, "tTh", "B005");
    editRow(w, 1, "tTh", "B009");
    clickRow(w, 2);
    click(w, "CmdDelete");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 1);
    QVERIFY2(c.messages.last().text.contains("B009") && c.messages.last().text.contains("数据点或标签"),
             qPrintable(c.messages.last().text));
    QCOMPARE(marks(figureList(w)), QStringLiteral("1 2* 3★ 4"));
    QCOMPARE(figuresOf("picMain"), QStringLiteral("B002:1 B003:1 B004:1 B005:1"));
    QCOMPARE(figuresOf("pData"), QStringLiteral("B002:1 B003:1 B005:2"));
    QCOMPARE(figuresOf("picLable"), QStringLiteral("B003:1 B005:1 B009:1"));

    editRow(w, 1, "tTh", "B006");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 1);
    QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3★ 4"));
    QCOMPARE(figuresOf("picMain"), QStringLiteral("B004:1 B005:1 B006:1"));
    QCOMPARE(figuresOf("pData"), QStringLiteral("B005:2 B006:1"));
    QCOMPARE(figuresOf("picLable"), QStringLiteral("B005:1 B009:1"));

    // A later B003 starts without the points of the one deleted, and keeps
    // its own through the saves after it.
    editRow(w, 3, "tTh", "B003");
    click(w, "cmdSaveLvFigure");
    c.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B003', 1, 1, 0, 9, 9, 1)");
    click(w, "cmdSaveLvFigure");
    QVERIFY2(c.messages.count() == 1, qPrintable(c.messages.last().detail));
    QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3★ 4"));
    QCOMPARE(figuresOf("picMain"), QStringLiteral("B003:1 B005:1 B006:1"));
    QCOMPARE(figuresOf("pData"), QStringLiteral("B003:1 B005:2 B006:1"));
}

void FigurePanelTest::emptyNumberIsRefused()
{
    CatalogueWindow c;
    addCartesianFigures(c.root, 2);
    fMain &w = c.open();
    editRow(w, 0, "tTh", " \t ");
    QCOMPARE(c.messages.count(), 1);
    QCOMPARE(c.messages.last().text, QStringLiteral("请先填写图号。"));
    // The refused number is still in the panel: 新建 asks before dropping it.
    c.messages.answerNextWith(QMessageBox::Discard);
    click(w, "cmdAddPic");
    QCOMPARE(c.messages.count(), 2);
    type(w, "tTh", QString());
    click(w, "cmdUpdate");
    QCOMPARE(c.messages.count(), 3);
    QCOMPARE(c.messages.last().text, QStringLiteral("请先填写图号。"));
    QCOMPARE(marks(figureList(w)), QStringLiteral("1 2"));
    QCOMPARE(figureList(w)->cell(0, 1), QStringLiteral("B001"));
}

QTEST_MAIN(FigurePanelTest)
#include "tst_figure_panel.moc"
