// Showing a figure in the editor panel and editing the list from it.
#include "tests/support/MessageRecorder.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"

#include "platform/geometry/Twips.h"
#include "ui/catalogue/NewFigNumber.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The smallest valid GIF: one pixel.
const QByteArray kGif = QByteArray::fromHex("47494638396101000100800000000000ffffff21f90401000000002c000000000100010000020144003b");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString text(const QWidget &w, const char *name)
{
    QWidget *c = control<QWidget>(w, name);
    if (auto *edit = qobject_cast<QLineEdit *>(c))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(c))
        return combo->currentText();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(c))
        return memo->toPlainText();
    if (auto *box = qobject_cast<QCheckBox *>(c))
        return box->isChecked() ? "ticked" : "clear";
    return qobject_cast<QAbstractButton *>(c)->text();
}

void setText(const QWidget &w, const char *name, const QString &value)
{
    QWidget *c = control<QWidget>(w, name);
    if (auto *edit = qobject_cast<QLineEdit *>(c))
        edit->setText(value);
    else if (auto *combo = qobject_cast<QComboBox *>(c))
        combo->setCurrentText(value);
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
    void clickingCartesianRowFillsEveryField();
    void clickingTriangularRowLeavesAxisFieldsAlone();
    void thumbnailFollowsTheRow();
    void thumbnailNameCannotLeaveItsFolder();
    void proposesNextFigureNumber_data();
    void proposesNextFigureNumber();
    void newFigureEntryAppendsRows();
    void newFigureOnEmptyListStartsAtOne();
    void rowMarksFollowEdits();
    void triangularUpdateLeavesAxisCells();
    void buttonsNeedACurrentRow();
    void exitClosesTheWindow();
};

void FigurePanelTest::clickingCartesianRowFillsEveryField()
{
    TestInstallRoot root;
    root.insertFigure(cartesianFigure("B001", "BP001"));
    QVariantMap second = cartesianFigure("B002", "BP002");
    second["X6"] = 0;
    second["Y6"] = 1;
    second["border"] = 0;
    second["Vector"] = 0;
    second["Bitmap"] = 1;
    root.insertFigure(second);
    fMain w;
    w.Form_Load();
    clickRow(w, 1);
    const QList<QPair<const char *, QString>> expected = {
        {"tTh", "B002"},   {"tPicName", "图 B002"}, {"tFigName", "BP002"}, {"comGroup", "3"},   {"tX1", "0.1"},
        {"tX2", "100"},    {"tX3", "5"},           {"tX4", "10"},        {"tX5", "-2.5"},     {"CheckX6", "clear"},
        {"CombX7", "2"},   {"tY1", "1"},           {"tY2", "1000"},      {"tY3", "1"},        {"tY4", "10"},
        {"tY5", "1"},      {"CheckY6", "ticked"},  {"CombY7", "-1"},     {"CheckBorder", "clear"},
        {"tSPCase", "4"},  {"tComment", "说明 B002"}, {"CheckVector", "clear"}, {"CheckBitmap", "ticked"}};
    for (const auto &[name, value] : expected)
        QVERIFY2(text(w, name) == value, name);
}

void FigurePanelTest::clickingTriangularRowLeavesAxisFieldsAlone()
{
    TestInstallRoot root;
    root.insertFigure(cartesianFigure("B001", "BP001"));
    root.insertFigure(triangularFigure("T001", "TP001"));
    fMain w;
    w.Form_Load();
    clickOption(w, "Opt2");
    clickRow(w, 0);
    QCOMPARE(text(w, "tTh"), QStringLiteral("T001"));
    QCOMPARE(text(w, "tSPCase"), QStringLiteral("7"));
    QCOMPARE(text(w, "CheckBitmap"), QStringLiteral("ticked"));
    // The hidden axis fields still hold the Cartesian figure shown before.
    QCOMPARE(text(w, "tX2"), QStringLiteral("100"));
    QCOMPARE(text(w, "CheckBorder"), QStringLiteral("ticked"));
}

void FigurePanelTest::thumbnailFollowsTheRow()
{
    TestInstallRoot root;
    root.insertFigure(cartesianFigure("B001", "BP001")); // file present
    root.insertFigure(cartesianFigure("B002", "BP002")); // no file
    root.insertFigure(cartesianFigure("B003", "BP003")); // file present but not a picture
    root.insertFigure(cartesianFigure("B013", "BP013")); // file named in upper case
    writeFile(root.thumbnailDir() + "/BP001.gif", kGif);
    writeFile(root.thumbnailDir() + "/BP003.gif", "GIF89a broken");
    writeFile(root.thumbnailDir() + "/BP013.GIF", kGif);
    fMain w;
    w.Form_Load();
    QVERIFY(showsPicture(w)); // start-up shows the first row's thumbnail
    QCOMPARE(control<QLabel>(w, "Image1")->geometry(), twipsRect(200, 4900, 5896, 5056));
    clickRow(w, 1);
    QVERIFY(!showsPicture(w));
    clickRow(w, 0);
    clickRow(w, 2);
    QVERIFY(!showsPicture(w)); // not the previous figure's picture
    clickRow(w, 3);
    QVERIFY(showsPicture(w));
}

void FigurePanelTest::thumbnailNameCannotLeaveItsFolder()
{
    TestInstallRoot root;
    root.insertFigure(cartesianFigure("B001", "../outside"));
    writeFile(root.root() + "/Diagram/outside.gif", kGif);
    fMain w;
    w.Form_Load();
    QCOMPARE(text(w, "tFigName"), QStringLiteral("../outside"));
    QVERIFY(!showsPicture(w));
}

void FigurePanelTest::proposesNextFigureNumber_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("next");
    QTest::newRow("plain") << "A012" << "A013";
    QTest::newRow("carry") << "A099" << "A100";
    QTest::newRow("padded") << "A005" << "A006";
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

void FigurePanelTest::newFigureEntryAppendsRows()
{
    TestInstallRoot root;
    root.insertFigure(cartesianFigure("A012", "AP012"));
    fMain w;
    w.Form_Load();
    click(w, "cmdAddPic");
    QCOMPARE(text(w, "tTh"), QStringLiteral("A013"));
    QCOMPARE(text(w, "tFigName"), QStringLiteral("AP013"));
    QCOMPARE(text(w, "tPicName"), QString());
    QCOMPARE(text(w, "tX1"), QString());
    QCOMPARE(text(w, "CombY7"), QString());
    QCOMPARE(text(w, "CheckBorder"), QStringLiteral("clear"));
    QCOMPARE(text(w, "CheckVector"), QStringLiteral("ticked")); // left as it was
    QCOMPARE(text(w, "cmdUpdate"), QStringLiteral("加入列表"));

    setText(w, "tPicName", "新图");
    click(w, "cmdAddPic"); // already adding: changes nothing
    QCOMPARE(text(w, "tPicName"), QStringLiteral("新图"));

    click(w, "cmdUpdate");
    click(w, "cmdUpdate");
    ListView *list = figureList(w);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->text(1), QStringLiteral("2#"));
    QCOMPARE(list->text(2), QStringLiteral("3#"));
    QCOMPARE(list->tag(2), 2);
    QCOMPARE(list->cell(2, 1), QStringLiteral("A013"));
    QCOMPARE(list->cell(2, 2), QStringLiteral("新图"));

    clickRow(w, 0);
    QCOMPARE(text(w, "cmdUpdate"), QStringLiteral("刷新列表"));
}

void FigurePanelTest::newFigureOnEmptyListStartsAtOne()
{
    TestInstallRoot root;
    fMain w;
    w.Form_Load();
    click(w, "cmdAddPic");
    QCOMPARE(text(w, "tTh"), QStringLiteral("B001"));
    QCOMPARE(text(w, "tFigName"), QStringLiteral("BP001"));
    clickOption(w, "Opt2");
    clickRow(w, 0); // nothing to click: the list is empty, adding mode stays
    w.LvFigure_Click();
    click(w, "cmdAddPic");
    QCOMPARE(text(w, "tTh"), QStringLiteral("T001"));
}

void FigurePanelTest::rowMarksFollowEdits()
{
    TestInstallRoot root;
    for (int i = 1; i <= 3; ++i)
        root.insertFigure(cartesianFigure(QString("B00%1").arg(i), QString("BP00%1").arg(i)));
    fMain w;
    w.Form_Load();
    ListView *list = figureList(w);

    clickRow(w, 1);
    click(w, "cmdUpdate");
    QCOMPARE(list->text(1), QStringLiteral("2*"));
    QCOMPARE(list->tag(1), 1);
    click(w, "CmdDelete");
    QCOMPARE(list->text(1), QStringLiteral("2★"));
    QCOMPARE(list->tag(1), -1);
    click(w, "CmdDelete"); // not a toggle
    QCOMPARE(list->text(1), QStringLiteral("2★"));
    click(w, "cmdUpdate");
    QCOMPARE(list->text(1), QStringLiteral("2*"));
    QCOMPARE(list->tag(1), 1);

    click(w, "cmdAddPic");
    click(w, "cmdUpdate");
    QCOMPARE(list->text(3), QStringLiteral("4#"));
    clickRow(w, 3);
    setText(w, "tPicName", "改名");
    click(w, "cmdUpdate");
    QCOMPARE(list->text(3), QStringLiteral("4#"));
    QCOMPARE(list->tag(3), 2);
    QCOMPARE(list->cell(3, 2), QStringLiteral("改名"));
    click(w, "CmdDelete");
    QCOMPARE(list->text(3), QStringLiteral("4★"));
    QCOMPARE(list->tag(3), -1);
    QCOMPARE(list->text(0), QStringLiteral("1"));
    QCOMPARE(list->tag(0), 0);
}

void FigurePanelTest::triangularUpdateLeavesAxisCells()
{
    TestInstallRoot root;
    root.insertFigure(triangularFigure("T001", "TP001"));
    fMain w;
    w.Form_Load();
    clickOption(w, "Opt2");
    clickRow(w, 0);
    click(w, "cmdAddPic");
    click(w, "cmdUpdate");
    ListView *list = figureList(w);
    QCOMPARE(list->cell(1, 1), QStringLiteral("T002"));
    for (int cell = 5; cell <= 19; ++cell)
        QVERIFY(list->cell(1, cell).isEmpty());
    QCOMPARE(list->cell(1, 23), QStringLiteral("True")); // bitmap box as the T001 row left it
}

void FigurePanelTest::buttonsNeedACurrentRow()
{
    TestInstallRoot root;
    root.insertFigure(cartesianFigure("B001", "BP001"));
    root.insertFigure(triangularFigure("T001", "TP001"));
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    clickOption(w, "Opt2"); // the row shown before belonged to the other list
    click(w, "cmdUpdate");
    click(w, "CmdDelete");
    ListView *list = figureList(w);
    QCOMPARE(list->text(0), QStringLiteral("1"));
    QCOMPARE(list->tag(0), 0);
    QCOMPARE(list->cell(0, 1), QStringLiteral("T001"));
    QCOMPARE(messages.count(), 2);
    QCOMPARE(messages.last().text, QStringLiteral("请先在列表中选择一个图版。"));
}

void FigurePanelTest::exitClosesTheWindow()
{
    TestInstallRoot root;
    fMain w;
    w.Form_Load();
    w.show();
    QVERIFY(w.isVisible());
    click(w, "cmdCancel");
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(FigurePanelTest)
#include "tst_figure_panel.moc"
