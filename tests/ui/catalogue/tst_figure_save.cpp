// Writing the edited figure list back to the catalogue.
#include "tests/support/MessageRecorder.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"

#include <QLineEdit>

namespace {

void edit(const QWidget &w, int row, const char *field, const QString &value)
{
    clickRow(w, row);
    control<QLineEdit>(w, field)->setText(value);
    click(w, "cmdUpdate");
}

// Adds a new figure from the panel with every field a Cartesian record needs.
void addFigure(const QWidget &w, const QString &number)
{
    click(w, "cmdAddPic");
    control<QLineEdit>(w, "tTh")->setText(number);
    control<QLineEdit>(w, "tPicName")->setText(QStringLiteral("新图 ") + number);
    control<QWidget>(w, "comGroup")->findChild<QLineEdit *>()->setText("5");
    for (const char *box : {"tX1", "tX2", "tX3", "tX4", "tX5", "tY1", "tY2", "tY3", "tY4", "tY5"})
        control<QLineEdit>(w, box)->setText("2");
    click(w, "cmdUpdate");
}

QString nameOf(const TestInstallRoot &root, const QString &number)
{
    QString escaped = number;
    escaped.replace("'", "''");
    return root.scalar("SELECT tm FROM picMain WHERE th = '" + escaped + "'").toString();
}

void fillCatalogue(TestInstallRoot &root, int figures)
{
    for (int i = 1; i <= figures; ++i)
        root.insertFigure(cartesianFigure(QString("B%1").arg(i, 3, 10, QChar('0')), QString("BP%1").arg(i, 3, 10, QChar('0'))));
}

} // namespace

class FigureSaveTest : public QObject
{
    Q_OBJECT

private slots:
    void unchangedListWritesNothing();
    void mixedRowsAreWrittenInListOrder();
    void newCartesianFigureGetsEveryField();
    void newTriangularFigureKeepsAxisDefaults();
    void failureKeepsMarksFromTheFailingRowOn();
    void vanishedRecordIsReportedNotRecreated();
    void quotesInNumbersTouchOnlyTheirRecord();
    void editingTheNumberRenamesTheFigure();
    void takenNumbersAreRefused_data();
    void takenNumbersAreRefused();
    void newRowDeletedBeforeSavingDeletesNothing();
};

void FigureSaveTest::unchangedListWritesNothing()
{
    TestInstallRoot root;
    fillCatalogue(root, 3);
    root.exec("CREATE TABLE writes (n INTEGER)");
    root.exec("CREATE TRIGGER w1 AFTER UPDATE ON picMain BEGIN INSERT INTO writes VALUES (1); END");
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    click(w, "cmdSaveLvFigure");
    QCOMPARE(root.scalar("SELECT count(*) FROM writes").toInt(), 0);
    QCOMPARE(messages.count(), 0);
}

void FigureSaveTest::mixedRowsAreWrittenInListOrder()
{
    TestInstallRoot root;
    fillCatalogue(root, 7);
    root.exec("CREATE TABLE log (what TEXT)");
    root.exec("CREATE TRIGGER u AFTER UPDATE ON picMain BEGIN INSERT INTO log VALUES ('update ' || new.th); END");
    root.exec("CREATE TRIGGER d AFTER DELETE ON picMain BEGIN INSERT INTO log VALUES ('delete ' || old.th); END");
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    edit(w, 2, "tPicName", "第三");
    edit(w, 6, "tPicName", "第七");
    clickRow(w, 4);
    click(w, "CmdDelete");
    click(w, "cmdSaveLvFigure");

    QCOMPARE(messages.count(), 0);
    const auto log = root.rows("SELECT what FROM log ORDER BY rowid");
    QCOMPARE(log.size(), 3);
    QCOMPARE(log[0][0].toString(), QStringLiteral("update B003"));
    QCOMPARE(log[1][0].toString(), QStringLiteral("delete B005"));
    QCOMPARE(log[2][0].toString(), QStringLiteral("update B007"));
    QCOMPARE(nameOf(root, "B003"), QStringLiteral("第三"));
    QCOMPARE(nameOf(root, "B007"), QStringLiteral("第七"));
    ListView *list = figureList(w);
    QCOMPARE(list->text(2), QStringLiteral("3"));
    QCOMPARE(list->tag(6), 0);
    QCOMPARE(list->text(4), QStringLiteral("5★"));

    click(w, "cmdSaveLvFigure"); // the deletion runs again and finds nothing
    QCOMPARE(messages.count(), 0);
    QCOMPARE(root.scalar("SELECT count(*) FROM picMain").toInt(), 6);
}

void FigureSaveTest::newCartesianFigureGetsEveryField()
{
    TestInstallRoot root;
    fillCatalogue(root, 2);
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    addFigure(w, "B003");
    control<QLineEdit>(w, "tX1")->setText("12.5"); // after the row was added: not in it
    click(w, "cmdSaveLvFigure");
    QCOMPARE(messages.count(), 0);
    const auto record = root.rows("SELECT th, tm, figName, grp, LB, X1, X6, X7, Y7, border, specialCase, Comment,"
                                  " Vector FROM picMain WHERE th = 'B003'");
    QCOMPARE(record.size(), 1);
    const QVariantList expected = {"B003", "新图 B003", "BP003", 5, "B", 2.0, 0, 0, 0, 0, 0, "", 1};
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(record[0][i] == expected[i], qPrintable(QString::number(i) + ": " + record[0][i].toString()));
    QCOMPARE(figureList(w)->text(2), QStringLiteral("3"));
    QCOMPARE(figureList(w)->tag(2), 0);
}

void FigureSaveTest::newTriangularFigureKeepsAxisDefaults()
{
    TestInstallRoot root;
    root.insertFigure(triangularFigure("T001", "TP001"));
    root.insertFigure(cartesianFigure("B001", "BP001"));
    MessageRecorder messages;
    fMain w;
    w.Form_Load(); // panel shows B001, axis fields filled
    clickOption(w, "Opt2");
    clickRow(w, 0);
    click(w, "cmdAddPic");
    control<QWidget>(w, "comGroup")->findChild<QLineEdit *>()->setText("2");
    click(w, "cmdUpdate");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(messages.count(), 0);
    const auto record = root.rows("SELECT LB, grp, X1, X2, Y2, X6, border, specialCase FROM picMain WHERE th = 'T002'");
    QCOMPARE(record.size(), 1);
    QCOMPARE(record[0][0].toString(), QStringLiteral("T"));
    QCOMPARE(record[0][1].toInt(), 2);
    for (int i = 2; i <= 7; ++i)
        QCOMPARE(record[0][i].toDouble(), 0.0);
}

void FigureSaveTest::failureKeepsMarksFromTheFailingRowOn()
{
    TestInstallRoot root;
    fillCatalogue(root, 6);
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    edit(w, 1, "tPicName", "二");
    clickRow(w, 3);
    control<QLineEdit>(w, "tPicName")->setText("四");
    control<QLineEdit>(w, "tX1")->setText("abc"); // a REAL column cannot take it
    click(w, "cmdUpdate");
    edit(w, 5, "tPicName", "六");
    click(w, "cmdSaveLvFigure");

    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text, QStringLiteral("不好意思，出错了！"));
    QVERIFY(messages.last().detail.contains("B004"));
    QVERIFY(messages.last().detail.contains("X1"));
    ListView *list = figureList(w);
    QCOMPARE(list->text(1), QStringLiteral("2"));
    QCOMPARE(list->text(3), QStringLiteral("4*"));
    QCOMPARE(list->text(5), QStringLiteral("6*"));
    QCOMPARE(nameOf(root, "B002"), QStringLiteral("二"));
    QCOMPARE(nameOf(root, "B004"), QStringLiteral("图 B004")); // no half-written record
    QCOMPARE(nameOf(root, "B006"), QStringLiteral("图 B006"));

    // Mended, the next save retries the rows still marked.
    edit(w, 3, "tX1", "7");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(messages.count(), 1);
    QCOMPARE(nameOf(root, "B004"), QStringLiteral("四"));
    QCOMPARE(nameOf(root, "B006"), QStringLiteral("六"));
    QCOMPARE(list->text(5), QStringLiteral("6"));
}

void FigureSaveTest::vanishedRecordIsReportedNotRecreated()
{
    TestInstallRoot root;
    fillCatalogue(root, 2);
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    edit(w, 1, "tPicName", "改");
    root.exec("DELETE FROM picMain WHERE th = 'B002'");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(messages.count(), 1);
    QCOMPARE(figureList(w)->text(1), QStringLiteral("2*"));
    QCOMPARE(root.scalar("SELECT count(*) FROM picMain").toInt(), 1);
}

void FigureSaveTest::quotesInNumbersTouchOnlyTheirRecord()
{
    TestInstallRoot root;
    root.insertFigure(cartesianFigure("B0'1", "BP001"));
    root.insertFigure(cartesianFigure("B0", "BP002"));
    root.insertFigure(cartesianFigure("x' or '1'='1", "BP003"));
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    edit(w, 0, "tPicName", "引号");
    clickRow(w, 2);
    click(w, "CmdDelete");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(messages.count(), 0);
    QCOMPARE(nameOf(root, "B0'1"), QStringLiteral("引号"));
    QCOMPARE(nameOf(root, "B0"), QStringLiteral("图 B0"));
    QCOMPARE(root.scalar("SELECT count(*) FROM picMain").toInt(), 2);
}

void FigureSaveTest::editingTheNumberRenamesTheFigure()
{
    TestInstallRoot root;
    fillCatalogue(root, 3);
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    edit(w, 1, "tTh", "B099");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(messages.count(), 0);
    QCOMPARE(root.scalar("SELECT count(*) FROM picMain WHERE th = 'B002'").toInt(), 0);
    QCOMPARE(nameOf(root, "B099"), QStringLiteral("图 B002"));
    QCOMPARE(root.scalar("SELECT count(*) FROM picMain").toInt(), 3);

    // The row now stands for B099: a later change finds it there.
    edit(w, 1, "tPicName", "再改");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(messages.count(), 0);
    QCOMPARE(nameOf(root, "B099"), QStringLiteral("再改"));
}

void FigureSaveTest::takenNumbersAreRefused_data()
{
    QTest::addColumn<bool>("unconstrained");
    QTest::newRow("unique numbers") << false;
    QTest::newRow("older catalogue without constraints") << true;
}

void FigureSaveTest::takenNumbersAreRefused()
{
    QFETCH(bool, unconstrained);
    TestInstallRoot root;
    if (unconstrained) { // older catalogues: nothing in the table stops a second B001
        root.exec("DROP TABLE picMain");
        root.exec("CREATE TABLE picMain (th TEXT, tm TEXT, figName TEXT, grp INTEGER, LB TEXT, X1 REAL, X2 REAL,"
                  " X3 REAL, X4 REAL, X5 REAL, X6 BOOLEAN, X7 INTEGER, Y1 REAL, Y2 REAL, Y3 REAL, Y4 REAL, Y5 REAL,"
                  " Y6 BOOLEAN, Y7 INTEGER, border BOOLEAN, specialCase INTEGER, Comment TEXT, Vector BOOLEAN,"
                  " Bitmap BOOLEAN)");
    }
    fillCatalogue(root, 3);
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    edit(w, 1, "tTh", "B003"); // rename onto another figure's number
    click(w, "cmdSaveLvFigure");
    QCOMPARE(messages.count(), 1);
    QVERIFY(messages.last().detail.contains("B003"));
    QCOMPARE(figureList(w)->text(1), QStringLiteral("2*"));
    QCOMPARE(nameOf(root, "B003"), QStringLiteral("图 B003"));
    QCOMPARE(root.scalar("SELECT count(*) FROM picMain WHERE th = 'B002'").toInt(), 1);

    edit(w, 1, "tTh", "B002"); // back to its own number
    addFigure(w, "B001");      // a new figure with a number already stored
    click(w, "cmdSaveLvFigure");
    QCOMPARE(messages.count(), 2);
    QVERIFY(messages.last().detail.contains("B001"));
    QCOMPARE(root.scalar("SELECT count(*) FROM picMain WHERE th = 'B001'").toInt(), 1);
    QCOMPARE(figureList(w)->text(1), QStringLiteral("2"));
    QCOMPARE(figureList(w)->text(3), QStringLiteral("4#"));

    control<QLineEdit>(w, "tTh")->setText("B010"); // two new rows with one number
    click(w, "cmdUpdate");
    clickRow(w, 3);
    control<QLineEdit>(w, "tTh")->setText("B010");
    click(w, "cmdUpdate");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(messages.count(), 3);
    QCOMPARE(root.scalar("SELECT count(*) FROM picMain WHERE th = 'B010'").toInt(), 0);
}

void FigureSaveTest::newRowDeletedBeforeSavingDeletesNothing()
{
    TestInstallRoot root;
    fillCatalogue(root, 2);
    MessageRecorder messages;
    fMain w;
    w.Form_Load();
    addFigure(w, "B001"); // same number as a stored figure, then thrown away
    clickRow(w, 2);
    click(w, "CmdDelete");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(messages.count(), 0);
    QCOMPARE(root.scalar("SELECT count(*) FROM picMain WHERE th = 'B001'").toInt(), 1);
}

QTEST_MAIN(FigureSaveTest)
#include "tst_figure_save.moc"
