// The label editor: its texts, the fields a click shows, new labels beside
// another user's, and line breaks kept. Marks, adds, deletions and the save
// as such the random sequences prove.
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
        click(w, "Command1");
        QCOMPARE(shown(w, "Command1"), QStringLiteral("加 入"));
        click(w, "Command1");
        QCOMPARE(shown(w, "Command1"), QStringLiteral("新 建"));
    }

    void clickShowsTheRowAndEndsNewLabelMode()
    {
        LabelWindow l;
        l.addLabels("B001", {{1, 10, 20, "SiO2"}, {2, 11, 21, "MgO"}});
        fPicLbl &w = l.open("B001");
        QCOMPARE(shown(w, "tTxtBx3"), QStringLiteral("SiO2"));
        clickRow(l.list(), 1);
        QCOMPARE(firstMismatch(w, {{"tTxtBx1", "11"}, {"tTxtBx2", "21"}, {"tTxtBx3", "MgO"}}), QString());
        // A click between the presses ends new-label mode; the next press prepares again.
        click(w, "Command1");
        clickRow(l.list(), 0);
        QCOMPARE(shown(w, "Command1"), QStringLiteral("加 入"));
        QCOMPARE(shown(w, "tTxtBx3"), QStringLiteral("SiO2"));
        click(w, "Command1");
        QCOMPARE(shown(w, "tTxtBx3"), QStringLiteral("1"));
        QCOMPARE(marks(l.list()), QStringLiteral("1 2"));
    }

    // Labels stored by another user after the load are neither taken nor
    // deleted, and no other figure's label is touched.
    void newLabelsLeaveAnotherUsersAlone()
    {
        LabelWindow l;
        l.addLabels("B001", {{1, 1, 1, "L1"}, {2, 1, 1, "L2"}});
        l.addLabels("B002", {{9, 1, 1, "other figure"}});
        fPicLbl &w = l.open("B001");
        l.addLabels("B001", {{3, 0, 0, "meanwhile"}});
        l.add("5", "6", "new");
        l.add("7", "8", "thrown away");
        QCOMPARE(marks(l.list()), QStringLiteral("1 2 4# 5#"));
        l.addLabels("B001", {{5, 0, 0, "another user's"}});
        clickRow(l.list(), 3);
        click(w, "CmdDelete"); // never saved: deletes nothing
        click(w, "cmdSave");
        QCOMPARE(l.messages.count(), 0);
        QCOMPARE(l.table(), QStringLiteral("1:1,1,L1 2:1,1,L2 3:0,0,meanwhile 4:5,6,new 5:0,0,another user's"));
        QCOMPARE(l.table("B002"), QStringLiteral("9:1,1,other figure"));
    }

    // The numbers in use are kept between adds, yet follow the catalogue: a
    // number another user stored between two adds is skipped, and numbers a
    // save took out of the list and the catalogue are free again.
    void newNumbersFollowChangesBetweenAdds()
    {
        LabelWindow l;
        l.addLabels("B001", {{1, 1, 1, "L1"}, {2, 1, 1, "L2"}, {3, 1, 1, "L3"}});
        fPicLbl &w = l.open("B001");
        l.add("0", "0", "first");
        l.addLabels("B001", {{5, 0, 0, "meanwhile"}});
        l.add("0", "0", "second");
        QCOMPARE(marks(l.list()), QStringLiteral("1 2 3 4# 6#"));
        for (int row : {2, 3}) {
            clickRow(l.list(), row);
            click(w, "CmdDelete");
        }
        click(w, "cmdSave");
        QCOMPARE(l.messages.count(), 0);
        QCOMPARE(marks(l.list()), QStringLiteral("1 2 6"));
        l.add("0", "0", "third");
        QCOMPARE(marks(l.list()), QStringLiteral("1 2 6 4#"));
        l.root.exec("DELETE FROM picLable WHERE th = 'B001' AND ID = 5");
        l.add("0", "0", "fourth");
        QCOMPARE(marks(l.list()), QStringLiteral("1 2 6 4# 5#"));
    }

    void lineBreaksStayAsStored()
    {
        LabelWindow l;
        l.addLabels("B001", {{1, 1, 1, "玄武岩\nbasalt"}, {2, 2, 2, "安山岩\r\nandesite"}});
        fPicLbl &w = l.open("B001");
        QCOMPARE(shown(w, "tTxtBx3"), QStringLiteral("玄武岩\nbasalt"));
        // Leaving the text unchanged marks nothing, whatever its line breaks.
        for (int row : {0, 1}) {
            clickRow(l.list(), row);
            control(w, "tTxtBx3")->setFocus(Qt::TabFocusReason);
            control(w, "Command1")->setFocus(Qt::TabFocusReason);
        }
        QCOMPARE(marks(l.list()), QStringLiteral("1 2"));
        // Another field of the row edited: the stored text goes back byte for byte.
        l.edit(0, "tTxtBx1", "1.5");
        l.edit(1, "tTxtBx1", "2.5");
        click(w, "cmdSave");
        QCOMPARE(l.messages.count(), 0);
        QCOMPARE(l.table(), QStringLiteral("1:1.5,1,玄武岩\nbasalt 2:2.5,2,安山岩\r\nandesite"));
    }

    // Both shapes of table take the next free numbers, a stored one skipped;
    // a refused table adds nothing; the save stores them under those numbers.
    void pastedTablesBecomeNewLabels()
    {
        LabelWindow l;
        l.addLabels("B001", {{1, 1, 1, "L1"}, {2, 1, 1, "L2"}, {5, 1, 1, "L5"}});
        fPicLbl &w = l.open("B001");
        l.addLabels("B001", {{6, 0, 0, "another user's"}});
        QVERIFY(w.pasteRows("x\ty\t标签名称\n41\t1\t苦橄玄武岩\n45\t3\t\"玄武岩\nbasalt\"\n"));
        QCOMPARE(marks(l.list()), QStringLiteral("1 2 5 4# 7#"));
        QCOMPARE(firstMismatch(w, {{"tTxtBx1", "41"}, {"tTxtBx3", "苦橄玄武岩"}}), QString());
        QCOMPARE(l.list()->selectionModel()->selectedRows().size(), 2);
        QVERIFY(w.pasteRows("9*,10,20,label"));
        QCOMPARE(marks(l.list()), QStringLiteral("1 2 5 4# 7# 8#"));
        QVERIFY(!w.pasteRows("1\t2\n"));
        QCOMPARE(l.messages.count(), 1);
        QVERIFY(l.messages.last().text.startsWith(QStringLiteral("没有粘贴任何行：第 1 行有 2 列")));
        QCOMPARE(l.list()->count(), 6);

        click(w, "cmdSave");
        QCOMPARE(l.messages.count(), 1);
        QCOMPARE(l.table(), QStringLiteral("1:1,1,L1 2:1,1,L2 4:41,1,苦橄玄武岩 5:1,1,L5 6:0,0,another user's "
                                           "7:45,3,玄武岩\r\nbasalt 8:10,20,label"));
    }
};

QTEST_MAIN(LabelEditorTest)
#include "tst_label_editor.moc"
