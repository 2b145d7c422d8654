// Writing the edited figure list back to the catalogue.
#include "tests/ui/catalogue/CatalogueTestKit.h"

namespace {

// Adds a figure from the panel with every field a Cartesian record needs.
void addFigure(const QWidget &w, const QString &number)
{
    click(w, "cmdAddPic");
    type(w, "tTh", number);
    type(w, "tPicName", "新图 " + number);
    type(w, "comGroup", "5");
    for (const char *box : {"tX1", "tX2", "tX3", "tX4", "tX5", "tY1", "tY2", "tY3", "tY4", "tY5"})
        type(w, box, "2");
    click(w, "cmdUpdate");
}

QString nameOf(const TestInstallRoot &root, QString number)
{
    return root.scalar("SELECT tm FROM picMain WHERE th = '" + number.replace("'", "''") + "'").toString();
}

int countOf(const TestInstallRoot &root, const QString &where)
{
    return root.scalar("SELECT count(*) FROM picMain WHERE " + where).toInt();
}

} // namespace

class FigureSaveTest : public QObject
{
    Q_OBJECT

private slots:
    void rowsAreWrittenInListOrder();
    void newFiguresGetTheirTypesFields();
    void failureKeepsMarksFromTheFailingRowOn();
    void quotesInNumbersTouchOnlyTheirRecord();
    void editingTheNumberRenamesTheFigure();
    void takenNumbersAreRefused_data();
    void takenNumbersAreRefused();
};

void FigureSaveTest::rowsAreWrittenInListOrder()
{
    CatalogueWindow c;
    addCartesianFigures(c.root, 7);
    c.root.exec("CREATE TABLE log (what TEXT)");
    c.root.exec("CREATE TRIGGER u AFTER UPDATE ON picMain BEGIN INSERT INTO log VALUES ('update ' || new.th); END");
    c.root.exec("CREATE TRIGGER d AFTER DELETE ON picMain BEGIN INSERT INTO log VALUES ('delete ' || old.th); END");
    fMain &w = c.open();
    click(w, "cmdSaveLvFigure"); // nothing changed: nothing written
    QCOMPARE(c.root.scalar("SELECT count(*) FROM log").toInt(), 0);

    editRow(w, 2, "tPicName", "第三");
    editRow(w, 6, "tPicName", "第七");
    clickRow(w, 4);
    click(w, "CmdDelete");
    click(w, "cmdSaveLvFigure");
    click(w, "cmdSaveLvFigure"); // the deletion runs again and finds nothing
    QCOMPARE(c.messages.count(), 0);
    QStringList log;
    for (const QVariantList &row : c.root.rows("SELECT what FROM log ORDER BY rowid"))
        log << row[0].toString();
    QCOMPARE(log.join(", "), QStringLiteral("update B003, delete B005, update B007"));
    QCOMPARE(nameOf(c.root, "B007"), QStringLiteral("第七"));
    QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3 4 5★ 6 7"));
    QCOMPARE(figureList(w)->tag(6), 0);

    // A changed row whose record has gone meanwhile is reported, not recreated.
    editRow(w, 1, "tPicName", "改");
    c.root.exec("DELETE FROM picMain WHERE th = 'B002'");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 1);
    QCOMPARE(figureList(w)->text(1), QStringLiteral("2*"));
    QCOMPARE(countOf(c.root, "th = 'B002'"), 0);
}

void FigureSaveTest::newFiguresGetTheirTypesFields()
{
    CatalogueWindow c;
    addCartesianFigures(c.root, 2);
    c.root.insertFigure(triangularFigure("T001", "TP001"));
    fMain &w = c.open();
    addFigure(w, "B003");
    type(w, "tX1", "12.5"); // after the row was added: not in it
    click(w, "cmdSaveLvFigure");
    const auto b = c.root.rows("SELECT th, tm, figName, grp, LB, X1, X6, X7, Y7, border, specialCase, Comment,"
                               " Vector FROM picMain WHERE th = 'B003'");
    QCOMPARE(b.size(), 1);
    const QVariantList expected = {"B003", "新图 B003", "BP003", 5, "B", 2.0, 0, 0, 0, 0, 0, "", 1};
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(b[0][i] == expected[i], qPrintable(QString::number(i) + ": " + b[0][i].toString()));
    QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3"));

    // A triangular figure writes its nine fields; the axis fields keep the table's defaults
    // although the hidden panel still holds the Cartesian figure's values.
    clickOption(w, "Opt2");
    clickRow(w, 0);
    click(w, "cmdAddPic");
    type(w, "comGroup", "2");
    click(w, "cmdUpdate");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 0);
    const auto t = c.root.rows("SELECT LB, grp, X1, X2, Y2, X6, border FROM picMain WHERE th = 'T002'");
    QCOMPARE(t.size(), 1);
    QCOMPARE(t[0][0].toString() + t[0][1].toString(), QStringLiteral("T2"));
    for (int i = 2; i < t[0].size(); ++i)
        QCOMPARE(t[0][i].toDouble(), 0.0);
}

void FigureSaveTest::failureKeepsMarksFromTheFailingRowOn()
{
    CatalogueWindow c;
    addCartesianFigures(c.root, 6);
    fMain &w = c.open();
    editRow(w, 1, "tPicName", "二");
    clickRow(w, 3);
    type(w, "tPicName", "四");
    type(w, "tX1", "abc"); // a REAL column cannot take it
    click(w, "cmdUpdate");
    editRow(w, 5, "tPicName", "六");
    click(w, "cmdSaveLvFigure");

    QCOMPARE(c.messages.count(), 1);
    QCOMPARE(c.messages.last().text, QStringLiteral("不好意思，出错了！"));
    QVERIFY(c.messages.last().detail.contains("B004") && c.messages.last().detail.contains("X1"));
    QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3 4* 5 6*"));
    QCOMPARE(nameOf(c.root, "B002"), QStringLiteral("二"));
    QCOMPARE(nameOf(c.root, "B004"), QStringLiteral("图 B004")); // no half-written record
    QCOMPARE(nameOf(c.root, "B006"), QStringLiteral("图 B006"));

    editRow(w, 3, "tX1", "7"); // mended, the next save retries the rows still marked
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 1);
    QCOMPARE(nameOf(c.root, "B004") + nameOf(c.root, "B006"), QStringLiteral("四六"));
    QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3 4 5 6"));
}

void FigureSaveTest::quotesInNumbersTouchOnlyTheirRecord()
{
    CatalogueWindow c({cartesianFigure("B0'1", "BP001"),
                       cartesianFigure("B0", "BP002"),
                       cartesianFigure("x' or '1'='1", "BP003")});
    fMain &w = c.open();
    editRow(w, 0, "tPicName", "引号");
    clickRow(w, 2);
    click(w, "CmdDelete");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 0);
    QCOMPARE(nameOf(c.root, "B0'1"), QStringLiteral("引号"));
    QCOMPARE(nameOf(c.root, "B0"), QStringLiteral("图 B0"));
    QCOMPARE(countOf(c.root, "1"), 2);
}

void FigureSaveTest::editingTheNumberRenamesTheFigure()
{
    CatalogueWindow c;
    addCartesianFigures(c.root, 3);
    fMain &w = c.open();
    editRow(w, 1, "tTh", "B099");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(countOf(c.root, "th = 'B002'"), 0);
    QCOMPARE(nameOf(c.root, "B099"), QStringLiteral("图 B002"));
    QCOMPARE(countOf(c.root, "1"), 3);

    editRow(w, 1, "tPicName", "再改"); // the row now stands for B099
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 0);
    QCOMPARE(nameOf(c.root, "B099"), QStringLiteral("再改"));
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
    CatalogueWindow c;
    if (unconstrained) { // nothing in the table stops a second B001
        c.root.exec("DROP TABLE picMain");
        c.root.exec("CREATE TABLE picMain (th TEXT, tm TEXT, figName TEXT, grp INTEGER, LB TEXT, X1 REAL, X2 REAL,"
                    " X3 REAL, X4 REAL, X5 REAL, X6 BOOLEAN, X7 INTEGER, Y1 REAL, Y2 REAL, Y3 REAL, Y4 REAL,"
                    " Y5 REAL, Y6 BOOLEAN, Y7 INTEGER, border BOOLEAN, specialCase INTEGER, Comment TEXT,"
                    " Vector BOOLEAN, Bitmap BOOLEAN)");
    }
    addCartesianFigures(c.root, 3);
    fMain &w = c.open();
    editRow(w, 1, "tTh", "B003"); // onto another figure's number
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 1);
    QVERIFY(c.messages.last().detail.contains("B003"));
    QCOMPARE(nameOf(c.root, "B003"), QStringLiteral("图 B003"));
    QCOMPARE(countOf(c.root, "th = 'B002'"), 1);

    editRow(w, 1, "tTh", "B002"); // back to its own number
    addFigure(w, "B001");         // a new figure with a stored number
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 2);
    QVERIFY(c.messages.last().detail.contains("B001"));
    QCOMPARE(countOf(c.root, "th = 'B001'"), 1);
    QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3 4#"));

    type(w, "tTh", "B010"); // two new rows with one number
    click(w, "cmdUpdate");
    editRow(w, 3, "tTh", "B010");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 3);
    QCOMPARE(countOf(c.root, "th = 'B010'"), 0);

    // A new row thrown away before saving deletes nothing, whatever its number.
    editRow(w, 3, "tTh", "B001");
    click(w, "CmdDelete");
    clickRow(w, 4);
    click(w, "CmdDelete");
    click(w, "cmdSaveLvFigure");
    QCOMPARE(c.messages.count(), 3);
    QCOMPARE(countOf(c.root, "th = 'B001'"), 1);
}

QTEST_MAIN(FigureSaveTest)
#include "tst_figure_save.moc"
