// The data-point editor: its initial texts, edits left by a click on the
// list, the failing row, NULLs kept and the figure it saves under. Edits,
// adds and the save by list position the random sequences prove.
#include "app/mQuillar.h"
#include "tests/support/PointEditorKit.h"
#include "ui/common/RowEditing.h"
#include "ui/common/SingleWindow.h"
#include "ui/points/fPicData.h"

#include <QComboBox>

namespace {

using PointWindow = PointEditorKit;

// The rows selected in the list, "2 3".
QString selectedRows(const ListView *list)
{
    QStringList rows;
    for (const QModelIndex &index : list->selectionModel()->selectedRows())
        rows << QString::number(index.row());
    rows.sort();
    return rows.join(' ');
}

} // namespace

class PointEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { delete SingleWindow<fPicData>::instance(); }

    void emptyFigureOpensWithItsInitialTexts()
    {
        PointWindow p;
        fPicData &w = p.open(QString());
        QCOMPARE(gFigNo, QStringLiteral("B001"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Orrisplot—Figure Data Manager：B001    "));
        QCOMPARE(firstMismatch(w, {{"tTxtBx0", "Text1"}, {"tTxtBx1", "1"}, {"tTxtBx2", "True"}, {"tTxtBx3", "Text2"},
                                   {"tTxtBx4", "Text3"}, {"tTxtBx5", "2"}, {"cmdAddPoint", "添 加"}}),
                 QString());
        QCOMPARE(shown(w, "Label1").split("\r\n").size(), 5);
        QCOMPARE(control<QComboBox>(w, "tTxtBx1")->count(), 16);
        QCOMPARE(control<QComboBox>(w, "tTxtBx5")->itemText(3), QStringLiteral("3"));
        QCOMPARE(w.size(), QSize(479, 480)); // 7188 x 7200 twips
    }

    void editsReachTheRowClickedBefore()
    {
        PointWindow p;
        p.addPoints("B001", {{1, 1, 1, 10, 20, 1}, {2, 1, 1, 11, 21, 1}, {3, 1, 1, 12, 22, 1}});
        fPicData &w = p.open("B001");
        QCOMPARE(shown(w, "tTxtBx3"), QStringLiteral("10")); // the first row after loading
        // An edit followed by a click on another row lands in the row clicked before.
        clickRow(p.list(), 1);
        control(w, "tTxtBx4")->setFocus(Qt::TabFocusReason);
        type(w, "tTxtBx4", "99");
        clickRow(p.list(), 0);
        QCOMPARE(p.list()->cell(1, 4), QStringLiteral("99"));
        QCOMPARE(shown(w, "tTxtBx4"), QStringLiteral("20"));
        // A picked combo entry is an edit.
        pickEntry(w, "tTxtBx5", "3");
        control(w, "tTxtBx0")->setFocus(Qt::TabFocusReason);
        QCOMPARE(marks(p.list()), QStringLiteral("1* 2* 3"));
        QCOMPARE(p.list()->cell(0, 5), QStringLiteral("3"));

        // The button's three texts; a new point is proposed the last number + 1.
        click(w, "cmdAddPoint");
        QCOMPARE(shown(w, "tTxtBx0"), QStringLiteral("4"));
        QCOMPARE(shown(w, "cmdAddPoint"), QStringLiteral("加 入"));
        click(w, "cmdAddPoint");
        QCOMPARE(shown(w, "cmdAddPoint"), QStringLiteral("新 建"));
        click(w, "cmdAddPoint");
        QCOMPARE(shown(w, "tTxtBx0"), QStringLiteral("5")); // 4# gives 5
    }

    void failingRowKeepsItsMarkAndTheRowsBelow()
    {
        PointWindow p;
        p.addPoints("B001", {{1, 1, 1, 10, 20, 1}, {2, 1, 1, 11, 21, 1}, {5, 1, 1, 12, 22, 1}});
        fPicData &w = p.open("B001");
        p.edit(1, "tTxtBx3", "15");
        p.add("4", "", "23"); // an empty X: pData cannot take it
        p.add("5", "16", "26");
        click(w, "cmdSave");
        QCOMPARE(p.messages.count(), 1);
        // The apology, then the cause in Chinese; the details start with the same cause.
        QCOMPARE(p.messages.last().text, QStringLiteral("不好意思，出错了！\n第 4 行（点号 4#）没有保存：字段 X 需要数值，“”不是数值"));
        QVERIFY(p.messages.last().detail.startsWith("第 4 行"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3 4# 5#"));
        QCOMPARE(p.table(), QStringLiteral("1:10,20 2:15,21 3:12,22"));

        p.edit(3, "tTxtBx3", "13");
        click(w, "cmdSave");
        QCOMPARE(p.messages.count(), 1);
        QCOMPARE(p.table(), QStringLiteral("1:10,20 2:15,21 3:12,22 4:13,23 5:16,26"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3 4 5"));

        // A deletion above the failing row: the rows below it, marked or
        // not, show the numbers their records were given.
        markRowDeleted(p.list()->items(), 0, RowMark::Deleted);
        p.edit(2, "tTxtBx3", "");
        click(w, "cmdSave");
        QCOMPARE(p.messages.count(), 2);
        QCOMPARE(p.table(), QStringLiteral("1:15,21 2:12,22 3:13,23 4:16,26"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2* 3 4"));
        p.edit(1, "tTxtBx3", "14");
        click(w, "cmdSave");
        QCOMPARE(p.messages.count(), 2);
        QCOMPARE(p.table(), QStringLiteral("1:15,21 2:14,22 3:13,23 4:16,26"));
    }

    // The field keeps showing the current point's number after the point
    // above it went.
    void deletedPointLeavesAndTheCurrentOneIsRenumbered()
    {
        PointWindow p;
        p.addPoints("B001", {{1, 1, 1, 10, 20, 1}, {2, 1, 1, 11, 21, 1}, {3, 1, 1, 12, 22, 1}});
        fPicData &w = p.open("B001");
        clickRow(p.list(), 2);
        markRowDeleted(p.list()->items(), 1, RowMark::Deleted);
        click(w, "cmdSave");
        QCOMPARE(p.messages.count(), 0);
        QCOMPARE(p.table(), QStringLiteral("1:10,20 2:12,22"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2"));
        QCOMPARE(shown(w, "tTxtBx0"), QStringLiteral("2"));
        QCOMPARE(shown(w, "tTxtBx3"), QStringLiteral("12"));
    }

    void storedNullStaysWhenAnotherCellOfTheRowIsSaved()
    {
        PointWindow p;
        p.addPoints("B001", {{1, QVariant(), 1, QVariant(), 20, 1}});
        fPicData &w = p.open("B001");
        p.edit(0, "tTxtBx4", "21");
        click(w, "cmdSave");
        QVERIFY2(p.messages.count() == 0, qPrintable(p.messages.last().detail));
        QCOMPARE(p.records("SELECT ID, Series, X, Y FROM pData"), QStringLiteral("1:NULL,NULL,21"));
    }

    void savesUnderTheFigureItLoaded()
    {
        PointWindow p;
        p.addPoints("O'B1", {{1, 1, 1, 10, 20, 1}});
        p.addPoints("B1", {{1, 1, 1, 30, 40, 1}});
        fPicData &w = p.open("O'B1");
        QCOMPARE(p.list()->count(), 1);
        gFigNo = "B1"; // the catalogue window hands over another figure meanwhile
        p.edit(0, "tTxtBx3", "11");
        click(w, "cmdSave");
        QCOMPARE(p.messages.count(), 0);
        QCOMPARE(p.table("O'B1"), QStringLiteral("1:11,20"));
        QCOMPARE(p.table("B1"), QStringLiteral("1:30,40"));
    }

    // Both shapes of table, after the last number; a paste ends a half-done
    // 新 建 as a click does; a refused table adds nothing; the save stores
    // the pasted points with their cells.
    void pastedTablesBecomeNewPoints()
    {
        PointWindow p;
        p.addPoints("B001", {{1, 1, 1, 10, 20, 1}, {2, 1, 1, 11, 21, 1}});
        fPicData &w = p.open("B001");
        click(w, "cmdAddPoint");
        pickEntry(w, "tTxtBx1", "4");
        pickEntry(w, "tTxtBx2", "False");
        QVERIFY(w.pasteRows("X-值\tY-值\n41\t0\n45\t3\n"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3# 4#"));
        QCOMPARE(p.list()->row(3).cells.join('|'), QStringLiteral("4|False|45|3|1"));
        QCOMPARE(firstMismatch(w, {{"tTxtBx0", "3#"}, {"tTxtBx3", "41"}, {"tTxtBx4", "0"}}), QString());
        QCOMPARE(selectedRows(p.list()), QStringLiteral("2 3"));
        click(w, "cmdAddPoint"); // prepares a point again instead of adding the one prepared before
        QCOMPARE(shown(w, "tTxtBx0"), QStringLiteral("5"));

        QVERIFY(w.pasteRows("点号\t线号\t是否曲线\tX-值\tY-值\t线型\r\n1\t2\tTrue\t50\t1\t2\r\n"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3# 4# 5#"));
        QVERIFY(!w.pasteRows("1\t2\n3\tx\n"));
        QCOMPARE(p.messages.count(), 1);
        QCOMPARE(p.messages.last().text, QStringLiteral("没有粘贴任何行：第 2 行“Y-值”一列的“x”不是数值"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3# 4# 5#"));

        click(w, "cmdSave");
        QCOMPARE(p.messages.count(), 1);
        QCOMPARE(p.records("SELECT ID, Series, curve, X, Y, L FROM pData ORDER BY ID"),
                 QStringLiteral("1:1,1,10,20,1 2:1,1,11,21,1 3:4,0,41,0,1 4:4,0,45,3,1 5:2,1,50,1,2"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3 4 5"));
    }
};

QTEST_MAIN(PointEditorTest)
#include "tst_point_editor.moc"
