// The saves over a list's rows, without a window: what a changed row writes,
// what it leaves to another program, the conflict it stops at, and the
// baseline it keeps for the next save.
#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "platform/listview/ListModel.h"
#include "tests/support/FigureEditorKit.h"
#include "tests/support/TestInstallRoot.h"
#include "ui/common/FigureEditing.h"
#include "ui/common/NumberedRows.h"
#include "ui/common/RowEditing.h"
#include "ui/groups/GroupListSave.h"
#include "ui/points/PointListSave.h"

#include <QTest>

namespace {

// The figure's points as a list loads them.
void loadPoints(ListModel &rows, const QString &figure)
{
    LoadedRows loaded = loadNumberedRows(CatalogueStatements::pointsOfFigure(figure), QStringLiteral("ID"), pointFields());
    rows.replaceRows(std::move(loaded.rows), loaded.source);
    rows.setOrigin(gConn->fileIdentity());
}

// Points 1..4 of B001 at X 10..40, loaded into `rows`.
void loadFourPoints(TestInstallRoot &root, ListModel &rows)
{
    root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 10, 1, 1),"
              " ('B001', 2, 1, 0, 20, 1, 1), ('B001', 3, 1, 0, 30, 1, 1), ('B001', 4, 1, 0, 40, 1, 1)");
    OpenDatabase();
    loadPoints(rows, "B001");
}

void edit(ListModel &rows, int row, int cell, const QString &text)
{
    rows.setCell(row, cell, text);
    markRowChanged(rows, row);
}

} // namespace

class SavesOverRowsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { gConn.reset(); }

    // Points 1, 3, 4: the save also numbers them 1, 2, 3 by position.
    void changedRowWritesOnlyItsEdits()
    {
        TestInstallRoot root;
        root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 1, 2, 1),"
                  " ('B001', 3, 1, 0, 3, 4, 1), ('B001', 4, 2, 1, 5, 6, 0)");
        OpenDatabase();
        ListModel rows;
        loadPoints(rows, "B001");
        const EditedFigure figure{"B001", false};
        int current = 0;
        edit(rows, 0, 3, "1.50"); // X, stored as 1.5
        root.exec("UPDATE pData SET Y = 20 WHERE ID = 1");
        root.exec("UPDATE pData SET L = 3 WHERE ID = 4");
        SaveOutcome outcome = savePointList(rows, figure, current);
        QVERIFY2(outcome.failure.isEmpty() && !outcome.conflict, qPrintable(outcome.failure));
        QCOMPARE(recordsText(root, "SELECT ID, X, Y, L FROM pData ORDER BY ID"), QStringLiteral("1:1.5,20,1 2:3,4,1 3:5,6,3"));
        QCOMPARE(rows.cell(0, 3), QStringLiteral("1.50")); // the list keeps what was typed

        // What was typed and what is stored differ in form only: the next
        // edit of the same X is no conflict, nor a later save of another field
        // one, which neither writes X again nor takes their X for a conflict.
        edit(rows, 0, 3, "1.25");
        outcome = savePointList(rows, figure, current);
        QVERIFY2(outcome.failure.isEmpty() && !outcome.conflict, qPrintable(outcome.failure));
        edit(rows, 0, 3, "1.50");
        QVERIFY(!savePointList(rows, figure, current).conflict);
        // A later save:
        root.exec("UPDATE pData SET X = 7 WHERE ID = 1");
        edit(rows, 0, 5, "2");
        outcome = savePointList(rows, figure, current);
        QVERIFY2(outcome.failure.isEmpty() && !outcome.conflict, qPrintable(outcome.failure));
        QCOMPARE(recordsText(root, "SELECT ID, X, Y, L FROM pData WHERE ID = 1"), QStringLiteral("1:7,20,2"));
        // Their 7 and 20 came after our read: editing X and Y now is a conflict.
        edit(rows, 0, 3, "8");
        edit(rows, 0, 4, "21");
        outcome = savePointList(rows, figure, current);
        QVERIFY(outcome.conflict && outcome.conflict->row == 0);
        QCOMPARE(outcome.conflict->cells, (QList<int>{3, 4}));
        QCOMPARE(rows.text(0), QStringLiteral("1*"));
    }

    // Another program deleted point 5, which an unchanged row still shows: a
    // new point must not go in under 5, where the renumbering would move it
    // as that row's. The save fails whole and says which point went.
    void newPointNeverTakesTheNumberOfARowWhoseRecordWent()
    {
        TestInstallRoot root;
        root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 1, 2, 1),"
                  " ('B001', 2, 1, 0, 3, 4, 1), ('B001', 5, 1, 0, 5, 6, 1)");
        OpenDatabase();
        ListModel rows;
        loadPoints(rows, "B001");
        for (int number : {6, 7}) {
            const int row = appendNewRow(rows, QString::number(number));
            for (int cell = 1; cell <= 5; ++cell)
                rows.setCell(row, cell, QStringList{"2", "True", "8", "9", "1"}[cell - 1]);
        }
        root.exec("DELETE FROM pData WHERE ID = 5");
        int current = 0;
        const SaveOutcome outcome = savePointList(rows, {"B001", false}, current);
        QVERIFY2(outcome.failure.contains("点 5 的记录已经不在"), qPrintable(outcome.failure));
        QCOMPARE(recordsText(root, "SELECT ID, X, Y FROM pData ORDER BY ID"), QStringLiteral("1:1,2 2:3,4"));
        QCOMPARE(rows.text(3) + ' ' + rows.text(4), QStringLiteral("6# 7#"));
    }

    // Deleted points leave the catalogue and the list, a new one without a
    // write; the points that stay are numbered 1..n and the current row
    // follows its point.
    void deletedPointsGoAndTheRestCloseUp()
    {
        TestInstallRoot root;
        ListModel rows;
        loadFourPoints(root, rows);
        for (const char *x : {"50", "60"}) {
            const int row = appendNewRow(rows, QString::number(rows.count() + 1));
            for (int cell = 1; cell <= 5; ++cell)
                rows.setCell(row, cell, QStringList{"1", "True", x, "2", "1"}[cell - 1]);
        }
        edit(rows, 3, 3, "41");
        for (int row : {0, 2, 4})
            markRowDeleted(rows, row, RowMark::Deleted);
        int current = 3;
        const SaveOutcome outcome = savePointList(rows, {"B001", false}, current);
        QVERIFY2(outcome.failure.isEmpty() && !outcome.conflict, qPrintable(outcome.failure));
        QCOMPARE(recordsText(root, "SELECT ID, X FROM pData ORDER BY ID"), QStringLiteral("1:20 2:41 3:60"));
        QCOMPARE(rows.count(), 3);
        QCOMPARE(rows.text(0) + ' ' + rows.text(1) + ' ' + rows.text(2), QStringLiteral("1 2 3"));
        QCOMPARE(rows.cell(1, 3), QStringLiteral("41"));
        QCOMPARE(current, 1);
        QCOMPARE(rows.storedKey(2).toInt(), 3); // a later edit finds the new point's record
        markRowDeleted(rows, 1, RowMark::Deleted);
        QVERIFY(savePointList(rows, {"B001", false}, current).failure.isEmpty());
        QCOMPARE(recordsText(root, "SELECT ID, X FROM pData ORDER BY ID"), QStringLiteral("1:20 2:60"));
        QCOMPARE(current, -1);
    }

    // A deleted row above the failing row is written; the failing row and a
    // deleted row below it keep their marks, and the records that stay are
    // numbered by the rows' places in the list that stays, which the rows show.
    void failingRowKeepsTheDeletionsBelowIt()
    {
        TestInstallRoot root;
        ListModel rows;
        loadFourPoints(root, rows);
        markRowDeleted(rows, 0, RowMark::Deleted);
        edit(rows, 1, 3, "x"); // X cannot take it
        markRowDeleted(rows, 3, RowMark::Deleted);
        int current = 3;
        const SaveOutcome outcome = savePointList(rows, {"B001", false}, current);
        QVERIFY2(outcome.failure.startsWith("第 2 行（点号 2*）没有保存"), qPrintable(outcome.failure));
        QCOMPARE(recordsText(root, "SELECT ID, X FROM pData ORDER BY ID"), QStringLiteral("1:20 2:30 3:40"));
        QCOMPARE(rows.count(), 3);
        QCOMPARE(rows.text(0) + ' ' + rows.text(1) + ' ' + rows.text(2), QStringLiteral("1* 2 3★"));
        QCOMPARE(current, 2);
        edit(rows, 0, 3, "21");
        QVERIFY(savePointList(rows, {"B001", false}, current).failure.isEmpty());
        QCOMPARE(recordsText(root, "SELECT ID, X FROM pData ORDER BY ID"), QStringLiteral("1:21 2:30"));
        QCOMPARE(rows.text(0) + ' ' + rows.text(1), QStringLiteral("1 2"));
    }

    // The rows before a conflicting one are written; it and those after are not.
    void conflictStopsTheSaveBeforeItsRow()
    {
        TestInstallRoot root;
        root.exec("INSERT INTO picType (grp, grpName) VALUES (1, '甲'), (2, '乙'), (3, '丙')");
        OpenDatabase();
        ListModel rows;
        LoadedRows loaded = loadNumberedRows(CatalogueStatements::groupsInOrder(), QStringLiteral("grp"), {"grpName"});
        rows.replaceRows(std::move(loaded.rows), loaded.source);
        for (int row : {0, 1, 2})
            edit(rows, row, 1, QStringLiteral("新%1").arg(row + 1));
        root.exec("UPDATE picType SET grpName = '他们的' WHERE grp = 2");
        int current = 2;
        const SaveOutcome outcome = saveGroupList(rows, current);
        QVERIFY(outcome.conflict && outcome.conflict->row == 1);
        QCOMPARE(outcome.conflict->storedCells, QStringList{"他们的"});
        QVERIFY(outcome.conflict->question.contains("分组 2 已被另一个程序修改"));
        QCOMPARE(recordsText(root, "SELECT grp, grpName FROM picType ORDER BY grp"), QStringLiteral("1:新1 2:他们的 3:丙"));
        QCOMPARE(rows.text(0) + ' ' + rows.text(1) + ' ' + rows.text(2), QStringLiteral("1 2* 3*"));
    }
};

QTEST_GUILESS_MAIN(SavesOverRowsTest)
#include "tst_saves_over_rows.moc"
