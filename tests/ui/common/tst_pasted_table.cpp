// Clipboard text read as a table, and the rows a list takes from it: the
// separators, quoted cells, the header, and every refusal naming its line.
#include "ui/common/PastedRows.h"
#include "ui/common/PastedTable.h"

#include <QTest>

namespace {

// A point list's two shapes: its own columns, and X, Y with the other cells given.
QList<PastedForm> pointForms()
{
    PastedForm own;
    own.columns = {{"点号", PastedCell::Skipped, 0}, {"线号", PastedCell::WholeNumber, 1},
                   {"是否曲线", PastedCell::Flag, 2},  {"X-值", PastedCell::Number, 3},
                   {"Y-值", PastedCell::Number, 4},    {"线型", PastedCell::WholeNumber, 5}};
    PastedForm xy;
    xy.columns = {{"X-值", PastedCell::Number, 3}, {"Y-值", PastedCell::Number, 4}};
    xy.otherCells = {{1, "7"}, {2, "False"}, {5, "1"}};
    return {xy, own};
}

QList<PastedForm> labelForms()
{
    PastedForm xyText;
    xyText.columns = {{"x", PastedCell::Number, 1}, {"y", PastedCell::Number, 2}, {"标签名称", PastedCell::Text, 3}};
    return {xyText};
}

QString joined(const QList<QStringList> &lines)
{
    QStringList out;
    for (const QStringList &line : lines)
        out << line.join('|');
    return out.join(" / ");
}

QString pastedPoints(const QString &text)
{
    const PastedRows pasted = readPastedRows(text, pointForms(), 5);
    return pasted.refusal.isEmpty() ? joined(pasted.rows) : pasted.refusal;
}

} // namespace

class PastedTableTest : public QObject
{
    Q_OBJECT

private slots:
    void linesAndCells()
    {
        // Tabs first; a line without one splits at commas, else at blanks.
        QCOMPARE(joined(readPastedTable("1\t 2 \t\n3,4\r\n  5   6 \r7 8\n\n\n")), QString("1| 2 | / 3|4 / 5|6 / 7|8"));
        // A tab line keeps its commas and blanks; a single cell stays one.
        QCOMPARE(joined(readPastedTable("a, b\tc d\nalone")), QString("a, b|c d / alone"));
        // Quoted cells hold separators, line breaks and doubled quotes.
        QCOMPARE(joined(readPastedTable("1\t\"玄武岩\r\nbasalt\"\t\"say \"\"hi\"\"\"\n2, \"a, b\"\n\"x y\" z\n")),
                 QString("1|玄武岩\nbasalt|say \"hi\" / 2|a, b / x y|z"));
        // An empty line inside stays, with no cell.
        QCOMPARE(readPastedTable("1 2\n\n3 4").size(), 3);
        QVERIFY(readPastedTable("\n \r\n").isEmpty());
    }

    void rowsOfEitherShape()
    {
        // The list's own columns: the number read past, whole numbers and flags written plainly.
        QCOMPARE(pastedPoints("点号\t线号\t是否曲线\tX-值\tY-值\t线型\n9*\t2.0\ttrue\t 41.5 \t3\t0\n10\t3\t0\t-1e2\t4\t1\n"),
                 QString("2|True|41.5|3|0 / 3|False|-1e2|4|1"));
        // X, Y: the other cells as given; a header of other words is read past too.
        QCOMPARE(pastedPoints("SiO2 Na2O+K2O\n41 3\n45 5"), QString("7|False|41|3|1 / 7|False|45|5|1"));
        // A first line with one number is data, so its other cell is refused.
        QCOMPARE(pastedPoints("41 x\n45 5"), QString("没有粘贴任何行：第 1 行“Y-值”一列的“x”不是数值"));
        const PastedRows labels = readPastedRows("x,y,标签名称\n1,2,\"碱玄岩\n(tephrite)\"\n", labelForms(), 3);
        QCOMPARE(joined(labels.rows), QString("1|2|碱玄岩\r\n(tephrite)")); // as the label field stores a line break
        QVERIFY(readPastedRows("\n", labelForms(), 3).rows.isEmpty());
        QVERIFY(readPastedRows("\n", labelForms(), 3).refusal.isEmpty());
    }

    void refusalsNameLineColumnAndCell()
    {
        QCOMPARE(pastedPoints("1\t1\tTrue\t1\t2\t1\n2\t1.5\tTrue\t1\t2\t1"),
                 QString("没有粘贴任何行：第 2 行“线号”一列的“1.5”不是整数"));
        QCOMPARE(pastedPoints("1\t1\tja\t1\t2\t1"), QString("没有粘贴任何行：第 1 行“是否曲线”一列的“ja”不是 True 或 False"));
        QCOMPARE(pastedPoints("1\t1\t\"True\nFalse\"\t1\t2\t1"),
                 QString("没有粘贴任何行：第 1 行“是否曲线”一列的“True\nFalse”含有换行"));
        QCOMPARE(pastedPoints("X Y\n1 2\n3\n"), QString("没有粘贴任何行：第 3 行有 1 列，第 1 行有 2 列"));
        QCOMPARE(pastedPoints("1 2\n\n3 4"), QString("没有粘贴任何行：第 2 行是空行"));
        QCOMPARE(pastedPoints("1 2 3"),
                 QString("没有粘贴任何行：第 1 行有 3 列，能粘贴的表格有 2 列（X-值、Y-值）或 6 列（点号、线号、是否曲线、X-值、Y-值、线型）"));
        QCOMPARE(pastedPoints("1 inf"), QString("没有粘贴任何行：第 1 行“Y-值”一列的“inf”不是数值"));
    }

    void atMostOneHundredThousandRows()
    {
        const QString line = QStringLiteral("1\t2\n");
        QCOMPARE(readPastedRows("X\tY\n" + line.repeated(kMostPastedRows), pointForms(), 5).rows.size(), kMostPastedRows);
        const PastedRows tooMany = readPastedRows("X\tY\n" + line.repeated(kMostPastedRows + 1), pointForms(), 5);
        QVERIFY(tooMany.rows.isEmpty());
        QCOMPARE(tooMany.refusal, QString("没有粘贴任何行：一次最多粘贴 100000 行，表格从第 100002 行起超出"));
    }
};

QTEST_MAIN(PastedTableTest)
#include "tst_pasted_table.moc"
