// The data-point editor: loading a figure's points, the focus-driven edits,
// adding points and saving them back numbered by their list positions.
#include "app/mQuillar.h"
#include "tests/support/FigureEditorKit.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/common/SingleWindow.h"
#include "ui/points/fPicData.h"

#include <QComboBox>

namespace {

// A point editor over a temporary catalogue.
struct PointWindow : FigureEditorKit<fPicData>
{
    // (ID, Series, curve, X, Y, L) of figure `figure`.
    void addPoints(const QString &figure, const QList<QVariantList> &points)
    {
        for (const QVariantList &p : points)
            root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES (?, ?, ?, ?, ?, ?, ?)",
                      QVariantList{figure} + p);
    }

    // The figure's records as "ID:X,Y" in ID order.
    QString table(const QString &figure = "B001") const
    {
        return records("SELECT ID, X, Y FROM pData WHERE th = " + quotedFigure(figure) + " ORDER BY ID");
    }

    void edit(int row, const char *field, const QString &text)
    {
        FigureEditorKit::edit(row, field, text, "tTxtBx0");
    }

    void add(const QString &number, const QString &x, const QString &y)
    {
        click(*window, "cmdAddPoint");
        type(*window, "tTxtBx0", number);
        type(*window, "tTxtBx3", x);
        type(*window, "tTxtBx4", y);
        click(*window, "cmdAddPoint");
    }
};

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
        // The first point of an empty figure.
        p.add("1", "3", "4");
        QCOMPARE(marks(p.list()), QStringLiteral("1#"));
        click(w, "cmdSave");
        QCOMPARE(p.table(), QStringLiteral("1:3,4"));
        QCOMPARE(marks(p.list()), QStringLiteral("1"));
    }

    void editsReachTheClickedRowWhenTheFieldIsLeft()
    {
        PointWindow p;
        p.addPoints("B001", {{1, 1, 1, 10, 20, 1}, {2, 1, 1, 11, 21, 1}, {3, 1, QVariant(), QVariant(), 22, 1}});
        fPicData &w = p.open("B001");
        QCOMPARE(shown(w, "tTxtBx3"), QStringLiteral("10")); // the first row after loading
        QCOMPARE(p.list()->cell(2, 3), QString());            // NULL X: an empty cell

        p.edit(1, "tTxtBx3", "11"); // unchanged
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3"));
        p.edit(1, "tTxtBx3", "15");
        QCOMPARE(marks(p.list()), QStringLiteral("1 2* 3"));
        // An edit followed by a click on another row lands in the row clicked before.
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

        // New-point mode: leaving a field changes no row; prepare proposes last + 1.
        click(w, "cmdAddPoint");
        QCOMPARE(shown(w, "tTxtBx0"), QStringLiteral("4"));
        QCOMPARE(shown(w, "cmdAddPoint"), QStringLiteral("加 入"));
        typeAndLeave(w, "tTxtBx3", "7", "tTxtBx4");
        QCOMPARE(p.list()->cell(0, 3), QStringLiteral("10"));
        click(w, "cmdAddPoint");
        QCOMPARE(marks(p.list()), QStringLiteral("1* 2* 3 4#"));
        QCOMPARE(shown(w, "cmdAddPoint"), QStringLiteral("新 建"));
        click(w, "cmdAddPoint");
        QCOMPARE(shown(w, "tTxtBx0"), QStringLiteral("5")); // 4# gives 5
    }

    void saveNumbersPointsByPosition_data()
    {
        QTest::addColumn<QVariantList>("stored");
        QTest::newRow("1 2 3") << QVariantList{1, 2, 3};
        QTest::newRow("gaps: 1 2 5") << QVariantList{1, 2, 5};
        QTest::newRow("zero and negative: -3 0 1") << QVariantList{-3, 0, 1};
        QTest::newRow("far apart: 7 100 101") << QVariantList{7, 100, 101};
    }

    void saveNumbersPointsByPosition()
    {
        QFETCH(QVariantList, stored);
        PointWindow p;
        for (int i = 0; i < stored.size(); ++i)
            p.addPoints("B001", {{stored[i], 1, 1, 10 + i, 20 + i, 1}});
        p.addPoints("B002", {{1, 1, 1, 99, 99, 1}});
        fPicData &w = p.open("B001");
        p.edit(2, "tTxtBx3", "12.5");
        p.add("2", "13", "23"); // a typed number that repeats another
        p.add("", "14", "24");
        click(w, "cmdSave");
        QCOMPARE(p.messages.count(), 0);
        QCOMPARE(p.table(), QStringLiteral("1:10,20 2:11,21 3:12.5,22 4:13,23 5:14,24"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3 4 5"));
        QCOMPARE(p.table("B002"), QStringLiteral("1:99,99"));

        // A second round of edits finds each record by the number it now has.
        p.edit(0, "tTxtBx3", "1");
        p.edit(4, "tTxtBx3", "5");
        click(w, "cmdSave");
        QCOMPARE(p.table(), QStringLiteral("1:1,20 2:11,21 3:12.5,22 4:13,23 5:5,24"));
        fPicData &again = p.reopen("B001");
        QCOMPARE(marks(control<ListView>(again, "LvFigure")), QStringLiteral("1 2 3 4 5"));
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
        QCOMPARE(p.messages.last().text, QStringLiteral("不好意思，出错了！"));
        QVERIFY(p.messages.last().detail.contains("第 4 行"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3 4# 5#"));
        QCOMPARE(p.table(), QStringLiteral("1:10,20 2:15,21 3:12,22"));

        p.edit(3, "tTxtBx3", "13"); // an edit of a new row keeps it new
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3 4# 5#"));
        click(w, "cmdSave");
        QCOMPARE(p.messages.count(), 1);
        QCOMPARE(p.table(), QStringLiteral("1:10,20 2:15,21 3:12,22 4:13,23 5:16,26"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3 4 5"));
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

    void doubleClickOnAFigureRowOpensItsPoints()
    {
        CatalogueWindow c;
        addCartesianFigures(c.root, 2);
        c.root.exec("INSERT INTO pData (th, ID, X, Y) VALUES ('B002', 1, 5, 6)");
        fMain &catalogue = c.open();
        // A view only takes a double click on the row its last press hit.
        auto *list = figureList(catalogue);
        clickRow(list, 1);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 1)).center());
        fPicData *editor = SingleWindow<fPicData>::instance();
        QVERIFY(editor && !editor->parentWidget());
        QCOMPARE(editor->figureNumber(), QStringLiteral("B002"));
        QCOMPARE(marks(control<ListView>(*editor, "LvFigure")), QStringLiteral("1"));
    }
};

QTEST_MAIN(PointEditorTest)
#include "tst_point_editor.moc"
