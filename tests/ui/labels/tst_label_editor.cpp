// The label editor: loading a figure's labels, the focus-driven edits, the
// two-press add, marking for deletion and the save back to picLable.
#include "tests/support/FigureEditorKit.h"
#include "ui/labels/fPicLbl.h"

namespace {

struct LabelWindow : FigureEditorKit<fPicLbl>
{
    // (ID, X, Y, Lbl) of figure `figure`.
    void addLabels(const QString &figure, const QList<QVariantList> &labels)
    {
        for (const QVariantList &l : labels)
            root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES (?, ?, ?, ?, ?)", QVariantList{figure} + l);
    }

    // The figure's labels as "ID:X,Y,Lbl" in ID order.
    QString table(const QString &figure = "B001") const
    {
        return records("SELECT ID, X, Y, Lbl FROM picLable WHERE th = " + quotedFigure(figure) + " ORDER BY ID");
    }

    QString storedText(int id) const
    {
        return root.scalar(QString("SELECT Lbl FROM picLable WHERE th = 'B001' AND ID = %1").arg(id)).toString();
    }

    void edit(int row, const char *field, const QString &text) { FigureEditorKit::edit(row, field, text, "Command1"); }

    void add(const QString &x, const QString &y, const QString &text)
    {
        click(*window, "Command1");
        type(*window, "tTxtBx1", x);
        type(*window, "tTxtBx2", y);
        type(*window, "tTxtBx3", text);
        click(*window, "Command1");
    }
};

} // namespace

class LabelEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void emptyFigureOpensWithItsInitialTexts()
    {
        LabelWindow l;
        fPicLbl &w = l.open(QString());
        QCOMPARE(gFigNo, QStringLiteral("B001"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Orrisplot—Figure Label  Manager：B001    "));
        QCOMPARE(firstMismatch(w, {{"tTxtBx1", "X-值"}, {"tTxtBx2", "Y-值"}, {"tTxtBx3", "标签名称\n"},
                                   {"Command1", "新 建"}, {"Label1", "标签位置坐标值"}}),
                 QString());
        QCOMPARE(w.size(), QSize(436, 404)); // 6540 x 6060 twips
        // Delete before any row was clicked: nothing to mark.
        click(w, "CmdDelete");
        // Two presses without typing: empty x and y, the text "1".
        click(w, "Command1");
        QCOMPARE(shown(w, "Command1"), QStringLiteral("加 入"));
        click(w, "Command1");
        QCOMPARE(marks(l.list()), QStringLiteral("1#"));
        QCOMPARE(shown(w, "Command1"), QStringLiteral("新 建"));
        l.add("0.5", "2", "Na2O");
        clickRow(l.list(), 0);
        typeAndLeave(w, "tTxtBx1", "7", "tTxtBx2");
        typeAndLeave(w, "tTxtBx2", "8", "Command1");
        click(w, "cmdSave");
        QCOMPARE(l.messages.count(), 0);
        QCOMPARE(l.table(), QStringLiteral("1:7,8,1 2:0.5,2,Na2O"));
        QCOMPARE(marks(l.list()), QStringLiteral("1 2"));
    }

    void editsMarkTheClickedRow()
    {
        LabelWindow l;
        l.addLabels("B001", {{1, 10, 20, "SiO2"}, {2, 11, 21, "MgO"}, {3, 12, 22, "CaO"}});
        fPicLbl &w = l.open("B001");
        QCOMPARE(shown(w, "tTxtBx3"), QStringLiteral("SiO2"));
        clickRow(l.list(), 1);
        QCOMPARE(firstMismatch(w, {{"tTxtBx1", "11"}, {"tTxtBx2", "21"}, {"tTxtBx3", "MgO"}}), QString());
        l.edit(1, "tTxtBx2", "21"); // unchanged
        QCOMPARE(marks(l.list()), QStringLiteral("1 2 3"));
        l.edit(1, "tTxtBx2", "25");
        l.edit(1, "tTxtBx1", "15");
        QCOMPARE(marks(l.list()), QStringLiteral("1 2* 3"));
        QCOMPARE(l.list()->cell(1, 2), QStringLiteral("25"));

        // A row marked for deletion is taken back by an edit.
        clickRow(l.list(), 2);
        click(w, "CmdDelete");
        QCOMPARE(marks(l.list()), QStringLiteral("1 2* 3★"));
        l.edit(2, "tTxtBx3", "CaO+");
        QCOMPARE(marks(l.list()), QStringLiteral("1 2* 3*"));

        // A click between the presses ends new-label mode; the next press prepares again.
        click(w, "Command1");
        clickRow(l.list(), 0);
        QCOMPARE(shown(w, "Command1"), QStringLiteral("加 入"));
        QCOMPARE(shown(w, "tTxtBx3"), QStringLiteral("SiO2"));
        click(w, "Command1");
        QCOMPARE(shown(w, "tTxtBx3"), QStringLiteral("1"));
        typeAndLeave(w, "tTxtBx1", "3", "tTxtBx2"); // new-label mode: no row changes
        QCOMPARE(marks(l.list()), QStringLiteral("1 2* 3*"));
        click(w, "Command1");
        QCOMPARE(marks(l.list()), QStringLiteral("1 2* 3* 4#"));
        // Edits after an add go to the row clicked before it.
        typeAndLeave(w, "tTxtBx2", "9", "Command1");
        QCOMPARE(marks(l.list()), QStringLiteral("1* 2* 3* 4#"));
        QCOMPARE(l.list()->cell(0, 2), QStringLiteral("9"));
        clickRow(l.list(), 3);
        click(w, "CmdDelete");
        QCOMPARE(marks(l.list()), QStringLiteral("1* 2* 3* 4★"));
        // Taken back by an edit, a label never saved is new again, not changed.
        l.edit(3, "tTxtBx1", "4.5");
        QCOMPARE(marks(l.list()), QStringLiteral("1* 2* 3* 4#"));
        l.edit(3, "tTxtBx2", "1"); // its y was left empty when it was added
        click(w, "cmdSave");
        QVERIFY2(l.messages.count() == 0, qPrintable(l.messages.last().detail));
        QCOMPARE(l.root.scalar("SELECT X FROM picLable WHERE ID = 4").toDouble(), 4.5);
    }

    void newLabelTakesAFreeNumber_data()
    {
        QTest::addColumn<QVariantList>("stored");
        QTest::addColumn<QString>("storedMeanwhile");
        QTest::addColumn<QString>("added");
        QTest::newRow("1 2 3") << QVariantList{1, 2, 3} << QString() << "4#";
        QTest::newRow("gap: 1 2 5") << QVariantList{1, 2, 5} << QString() << "4#";
        QTest::newRow("first deleted: 2 3") << QVariantList{2, 3} << QString() << "4#";
        QTest::newRow("stored since the load: 1 2 and 3") << QVariantList{1, 2} << "3" << "4#";
        QTest::newRow("none") << QVariantList{} << QString() << "1#";
    }

    void newLabelTakesAFreeNumber()
    {
        QFETCH(QVariantList, stored);
        QFETCH(QString, storedMeanwhile);
        QFETCH(QString, added);
        LabelWindow l;
        for (const QVariant &id : stored)
            l.addLabels("B001", {{id, 1, 1, "L" + id.toString()}});
        l.addLabels("B002", {{9, 1, 1, "other figure"}});
        fPicLbl &w = l.open("B001");
        if (!storedMeanwhile.isEmpty())
            l.addLabels("B001", {{storedMeanwhile, 1, 1, "meanwhile"}});
        l.add("5", "6", "new");
        QCOMPARE(l.list()->text(l.list()->count() - 1), added);
        const int before = l.root.scalar("SELECT count(*) FROM picLable WHERE th = 'B001'").toInt();
        click(w, "cmdSave");
        QCOMPARE(l.messages.count(), 0);
        QCOMPARE(l.root.scalar("SELECT count(*) FROM picLable WHERE th = 'B001'").toInt(), before + 1);
        QCOMPARE(l.root.scalar("SELECT Lbl FROM picLable WHERE th = 'B001' AND ID = " + added.chopped(1)).toString(),
                 QStringLiteral("new"));
        QCOMPARE(l.table("B002"), QStringLiteral("9:1,1,other figure"));
    }

    void saveDeletesChangesAndInserts()
    {
        LabelWindow l;
        l.addLabels("B001", {{1, 10, 20, "A"}, {2, 11, 21, "B"}, {5, 12, 22, "C"}});
        l.addLabels("B002", {{2, 30, 40, "other"}});
        fPicLbl &w = l.open("B001");
        clickRow(l.list(), 1);
        click(w, "CmdDelete");
        l.edit(2, "tTxtBx1", "13"); // label 5 in row 3
        l.add("14", "24", "D");
        l.add("15", "25", "E");
        // A new label deleted before it was ever saved, its number stored meanwhile by another user.
        l.addLabels("B001", {{6, 0, 0, "another user's"}});
        clickRow(l.list(), 4);
        click(w, "CmdDelete");
        QCOMPARE(marks(l.list()), QStringLiteral("1 2★ 5* 4# 6★"));
        click(w, "cmdSave");
        QCOMPARE(l.messages.count(), 0);
        QCOMPARE(l.table(), QStringLiteral("1:10,20,A 4:14,24,D 5:13,22,C 6:0,0,another user's"));
        QCOMPARE(l.table("B002"), QStringLiteral("2:30,40,other"));
        // Deleted rows leave the list; every row shows the number it is stored under.
        QCOMPARE(marks(l.list()), QStringLiteral("1 5 4"));
        QCOMPARE(l.list()->selectedRow(), -1); // the row clicked last has gone
        // A further edit finds each record by its own number.
        l.edit(2, "tTxtBx3", "D2");
        click(w, "cmdSave");
        QCOMPARE(l.table(), QStringLiteral("1:10,20,A 4:14,24,D2 5:13,22,C 6:0,0,another user's"));
        fPicLbl &again = l.reopen("B001");
        QCOMPARE(marks(control<ListView>(again, "LvFigure")), QStringLiteral("1 4 5 6"));
    }

    void multiLineTextsStayIntact()
    {
        LabelWindow l;
        l.addLabels("B001", {{1, 1, 1, "玄武岩\nbasalt"}, {2, 2, 2, "安山岩\r\nandesite"}, {3, 3, 3, "x"}});
        fPicLbl &w = l.open("B001");
        QCOMPARE(shown(w, "tTxtBx3"), QStringLiteral("玄武岩\nbasalt"));
        // Leaving the text unchanged marks nothing, whatever its line breaks.
        for (int row : {0, 1}) {
            clickRow(l.list(), row);
            control(w, "tTxtBx3")->setFocus(Qt::TabFocusReason);
            control(w, "Command1")->setFocus(Qt::TabFocusReason);
        }
        QCOMPARE(marks(l.list()), QStringLiteral("1 2 3"));
        // Another field of the row edited: the stored text goes back byte for byte.
        l.edit(0, "tTxtBx1", "1.5");
        l.edit(2, "tTxtBx3", "流纹岩\nrhyolite\n");
        click(w, "cmdSave");
        QCOMPARE(l.messages.count(), 0);
        QCOMPARE(l.storedText(1), QStringLiteral("玄武岩\nbasalt"));
        QCOMPARE(l.storedText(2), QStringLiteral("安山岩\r\nandesite"));
        QCOMPARE(l.storedText(3), QStringLiteral("流纹岩\r\nrhyolite\r\n"));
    }
};

QTEST_MAIN(LabelEditorTest)
#include "tst_label_editor.moc"
