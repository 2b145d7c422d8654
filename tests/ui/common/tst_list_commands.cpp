// The list commands of the sub-editors: selection against the current row,
// copy, Del, undo and redo, and the history a save ends.
#include "app/mQuillar.h"
#include "platform/listview/ListView.h"
#include "tests/support/PointEditorKit.h"
#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

struct PointWindow : PointEditorKit
{
    PointWindow()
    {
        addPoints("B001", {{1, 1, "False", 10, 100, 1}, {2, 1, "False", 20, 200, 1}, {3, 1, "False", 30, 300, 1}});
        open("B001");
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { pressOnList(list(), key, modifiers); }
    void edit(int row, const char *field, const QString &text)
    {
        PointEditorKit::edit(row, field, text);
        QCoreApplication::processEvents(); // a user's next action comes in a later turn of the event loop
    }
};

} // namespace

class ListCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        delete SingleWindow<fPicData>::instance();
        delete SingleWindow<fPicLbl>::instance();
        delete SingleWindow<fGroup>::instance();
    }

    void extendingTheSelectionKeepsTheCurrentRowAndCopiesTheRows()
    {
        PointWindow p;
        p.edit(1, "tTxtBx3", "11.5");
        clickRow(p.list(), 0);
        shiftClickRow(p.list(), 1);
        QCOMPARE(shown(*p.window, "tTxtBx3"), QStringLiteral("10")); // still row 0's
        QCOMPARE(p.list()->selectedRows(), (std::vector<int>{0, 1}));
        p.key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("点号\t线号\t是否曲线\tX-值\tY-值\t线型\n1\t1\tFalse\t10\t100\t1\n2\t1\tFalse\t11.5\t200\t1\n"));
        p.key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(p.list()->selectedRows().size(), size_t(3));
        QCOMPARE(shown(*p.window, "tTxtBx3"), QStringLiteral("10"));
    }

    void delTogglesDeletionMarksAndTheSaveDropsTheRows()
    {
        PointWindow p;
        p.edit(0, "tTxtBx3", "15");
        clickRow(p.list(), 0);
        shiftClickRow(p.list(), 1);
        p.key(Qt::Key_Delete);
        QCOMPARE(marks(p.list()), QStringLiteral("1★ 2★ 3"));
        p.key(Qt::Key_Delete); // all marked: the marks come off, the edited row stays edited
        QCOMPARE(marks(p.list()), QStringLiteral("1* 2 3"));
        clickRow(p.list(), 1);
        p.key(Qt::Key_Delete);
        QVERIFY(p.list()->tag(1) == -1);
        click(*p.window, "cmdSave");
        QCOMPARE(p.table(), QStringLiteral("1:15,100 2:30,300"));
        QCOMPARE(marks(p.list()), QStringLiteral("1 2"));
    }

    void undoAndRedoEveryKindOfStep()
    {
        PointWindow p;
        p.edit(1, "tTxtBx3", "99");                  // a field edit reaching its row
        p.add("4", "40", "400");                     // 加 入
        QCoreApplication::processEvents();
        clickRow(p.list(), 2);
        p.key(Qt::Key_Delete);                       // a mark
        QCOMPARE(marks(p.list()), QStringLiteral("1 2* 3★ 4#"));

        p.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(marks(p.list()), QStringLiteral("1 2* 3 4#"));
        p.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(marks(p.list()), QStringLiteral("1 2* 3"));
        p.key(Qt::Key_Z, Qt::ControlModifier);       // back to the loaded values: no mark, nothing unsaved
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3"));
        QCOMPARE(p.list()->cell(1, 3), QStringLiteral("20"));
        QCOMPARE(shown(*p.window, "tTxtBx3"), QStringLiteral("20")); // the row it touched is shown
        QCOMPARE(p.list()->selectedRow(), 1);
        p.key(Qt::Key_Z, Qt::ControlModifier);       // nothing more to undo
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3"));

        p.key(Qt::Key_Y, Qt::ControlModifier);
        p.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(marks(p.list()), QStringLiteral("1 2* 3 4#"));
        QCOMPARE(shown(*p.window, "tTxtBx3"), QStringLiteral("40"));
        // A new change drops what was undone.
        p.edit(0, "tTxtBx4", "101");
        p.key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(marks(p.list()), QStringLiteral("1* 2* 3 4#"));

        click(*p.window, "cmdSave");                 // the save ends the history
        p.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3 4"));
        QCOMPARE(p.table(), QStringLiteral("1:10,101 2:99,200 3:30,300 4:40,400"));
    }

    void ctrlVPastesTheClipboardAsOneStep()
    {
        PointWindow p;
        QGuiApplication::clipboard()->setText("X\tY\n1.5\t2.5\n3.5\t4.5\n");
        p.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3 4# 5#"));
        QCOMPARE(p.list()->selectedRows(), (std::vector<int>{3, 4}));
        p.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(marks(p.list()), QStringLiteral("1 2 3"));
        p.key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(p.list()->cell(4, 4), QStringLiteral("4.5"));
    }

    void undoOfTheOnlyAddedRowLeavesNoCurrentRow()
    {
        FigureEditorKit<fPicLbl> l;
        fPicLbl &w = l.open("B001");
        click(w, "Command1");
        type(w, "tTxtBx3", "Na2O");
        click(w, "Command1");
        QCoreApplication::processEvents();
        pressOnList(l.list(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(l.list()->count(), 0);
        // An edit now has no row to go to, rather than a row a later add puts there.
        typeAndLeave(w, "tTxtBx1", "5", "tTxtBx2");
        click(w, "Command1");
        click(w, "Command1");
        QCOMPARE(l.list()->cell(0, 1), QString());
    }

    void contextMenuOffersWhatCanActNow()
    {
        PointWindow p;
        QGuiApplication::clipboard()->clear();
        QCOMPARE(menuAt(p.list(), 2), (QStringList{"撤销:off", "重做:off", "复制:on", "粘贴:off", "删除:on"}));
        QCOMPARE(p.list()->selectedRow(), 2);
        QCOMPARE(shown(*p.window, "tTxtBx3"), QStringLiteral("30")); // the right-click picked the row first
        p.key(Qt::Key_Delete);
        QCOMPARE(menuAt(p.list(), 0).first(), QStringLiteral("撤销:on"));
        p.key(Qt::Key_Delete); // the keys still act after the menu
        QCOMPARE(marks(p.list()), QStringLiteral("1★ 2 3★"));
    }

    void groupDelAsksAboutGroupsInUseAndUndoTakesAnAddBack()
    {
        FigureEditorKit<fGroup> g;
        g.listName = "LvGroup";
        g.root.exec("INSERT INTO picType (grp, grpName) VALUES (1, '火山岩')");
        g.root.insertFigure({{"th", "B001"}, {"LB", "B"}, {"grp", 1}});
        fGroup &w = g.open(QString());
        clickRow(g.list(), 0);
        g.messages.answerNextWith(QMessageBox::Cancel);
        pressOnList(g.list(), Qt::Key_Delete);
        QCOMPARE(g.messages.count(), 1);
        QCOMPARE(marks(g.list()), QStringLiteral("1"));
        click(w, "cmdAddGroup");
        QCoreApplication::processEvents();
        QCOMPARE(g.list()->count(), 2);
        pressOnList(g.list(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(g.list()->count(), 1);
        QCOMPARE(marks(g.list()), QStringLiteral("1"));
    }

    void aStepThatChangesNothingIsNotKept()
    {
        FigureEditorKit<fGroup> g;
        g.listName = "LvGroup";
        g.root.exec("INSERT INTO picType (grp, grpName) VALUES (1, '火山岩'), (2, '深成岩')");
        g.open(QString());
        clickRow(g.list(), 0);
        pressOnList(g.list(), Qt::Key_Delete);
        pressOnList(g.list(), Qt::Key_Delete); // marked already: no step, one Ctrl+Z takes the mark off
        QCOMPARE(marks(g.list()), QStringLiteral("1d 2"));
        pressOnList(g.list(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(marks(g.list()), QStringLiteral("1 2"));
    }
};

QTEST_MAIN(ListCommandsTest)
#include "tst_list_commands.moc"
