// Work not yet saved is never dropped without a question: closing a window,
// switching the diagram type and the catalogue's panel edits, each answered
// through the message seam with each of its buttons. Also the numbers 新建
// proposes, the group deletion that figures would miss, and the row the
// fields edit after 加 入.
#include "tests/support/FigureEditorKit.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QFile>
#include <QRadioButton>

namespace {

const QString kPoints = "SELECT ID, X, Y FROM pData WHERE th = 'B001' ORDER BY ID";

// The box's own button texts, in any order.
bool hasButtons(const MessageRequest &request, QStringList texts)
{
    QStringList shown = request.buttonTexts.values();
    shown.sort();
    texts.sort();
    return shown == texts;
}

} // namespace

class UnsavedWorkTest : public QObject
{
    Q_OBJECT

    // A point editor over points 1 and 2 of B001, point 1 changed in the list.
    void openWithChangedPoint(FigureEditorKit<fPicData> &kit)
    {
        kit.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 1, 1, 1), "
                      "('B001', 2, 1, 0, 2, 2, 1)");
        kit.open("B001");
        kit.edit(0, "tTxtBx3", "9", "tTxtBx0");
        QCOMPARE(marks(kit.list()), QString("1* 2"));
    }

private slots:
    void cleanup() { closeSubEditors(); }

    void closingAsksWithItsThreeButtons()
    {
        {
            FigureEditorKit<fPicData> kit;
            openWithChangedPoint(kit);
            kit.messages.answerNextWith(QMessageBox::Cancel);
            click(*kit.window, "cmdCancel");
            QCOMPARE(kit.messages.count(), 1);
            QVERIFY(kit.messages.last().text.contains("未保存"));
            QVERIFY(hasButtons(kit.messages.last(), {"保存", "放弃", "取消"}));
            QVERIFY(kit.window->isVisible());
            QCOMPARE(marks(kit.list()), QString("1* 2"));
            kit.messages.answerNextWith(QMessageBox::Discard);
            kit.window->close();
            QVERIFY(!kit.window->isVisible());
            QCOMPARE(kit.records(kPoints), QString("1:1,1 2:2,2"));
        }
        {
            FigureEditorKit<fPicData> kit;
            openWithChangedPoint(kit);
            // A field typed into and not left goes with the save.
            control(*kit.window, "tTxtBx4")->setFocus(Qt::TabFocusReason);
            type(*kit.window, "tTxtBx4", "8");
            kit.messages.answerNextWith(QMessageBox::Save);
            kit.window->close();
            QVERIFY(!kit.window->isVisible());
            QCOMPARE(kit.records(kPoints), QString("1:9,8 2:2,2"));
        }
        {
            // A save that fails keeps the window open with every mark.
            FigureEditorKit<fPicData> kit;
            openWithChangedPoint(kit);
            kit.root.exec("DELETE FROM pData WHERE ID = 1");
            kit.messages.answerNextWith(QMessageBox::Save);
            kit.window->close();
            QCOMPARE(kit.messages.count(), 2); // the question, then the failure
            QVERIFY(kit.window->isVisible());
            QCOMPARE(marks(kit.list()), QString("1* 2"));
        }
    }

    void nothingUnsavedClosesAtOnce()
    {
        FigureEditorKit<fPicLbl> kit;
        kit.root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', 1, 1, 1, 'a'), ('B001', 2, 2, 2, 'b')");
        // Opened from another active window, as the catalogue opens it: a
        // visit of the fields with nothing typed marks nothing.
        kit.open("B001");
        QWidget other;
        QVERIFY(showActive(other));
        QTest::mouseClick(control(*kit.window, "tTxtBx2"), Qt::LeftButton);
        QVERIFY(showActive(*kit.window));
        control(*kit.window, "tTxtBx3")->setFocus(Qt::TabFocusReason);
        click(*kit.window, "Command1");
        QCOMPARE(marks(kit.list()), QString("1 2"));
        // 新建 alone is no work either; typing beyond its proposal is.
        QVERIFY(kit.window->close());
        QCOMPARE(kit.messages.count(), 0);
    }

    void groupNameAndGroupsInUse()
    {
        FigureEditorKit<fGroup> kit;
        kit.listName = "LvGroup";
        kit.root.exec("INSERT INTO picType VALUES (1, '一'), (2, '二')");
        kit.root.insertFigure(cartesianFigure("B001", "BP001"));
        kit.root.insertFigure(triangularFigure("T001", "TP001"));
        kit.root.exec("UPDATE picMain SET grp = 2");
        kit.open(QString());
        // A typed name not yet in its row is unsaved work.
        clickRow(kit.list(), 0);
        control(*kit.window, "TextBox1")->setFocus(Qt::TabFocusReason);
        type(*kit.window, "TextBox1", "新名");
        kit.messages.answerNextWith(QMessageBox::Cancel);
        QVERIFY(!kit.window->close());
        QCOMPARE(kit.messages.count(), 1);
        QCOMPARE(shown(*kit.window, "TextBox1"), QString("新名"));
        // Group 1 no figure uses goes at once; group 2 asks, naming its two figures.
        click(*kit.window, "cmdDeleteGroup");
        QCOMPARE(marks(kit.list()), QString("1d 2"));
        kit.messages.clear();
        clickRow(kit.list(), 1);
        kit.messages.answerNextWith(QMessageBox::Cancel);
        click(*kit.window, "cmdDeleteGroup");
        QCOMPARE(kit.messages.count(), 1);
        QVERIFY(kit.messages.last().text.contains("2 个图版"));
        QVERIFY(hasButtons(kit.messages.last(), {"删除", "取消"}));
        QCOMPARE(marks(kit.list()), QString("1d 2"));
        kit.messages.answerNextWith(QMessageBox::Ok);
        click(*kit.window, "cmdDeleteGroup");
        QCOMPARE(marks(kit.list()), QString("1d 2d"));
    }

    void newRowBecomesCurrent()
    {
        FigureEditorKit<fPicData> kit;
        kit.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 1, 1, 1)");
        kit.open("B001");
        click(*kit.window, "cmdAddPoint");
        type(*kit.window, "tTxtBx3", "5");
        click(*kit.window, "cmdAddPoint");
        QCOMPARE(kit.list()->selectedRow(), 1);
        typeAndLeave(*kit.window, "tTxtBx4", "6", "tTxtBx0");
        QCOMPARE(kit.list()->cell(1, 4), QString("6"));
        QCOMPARE(kit.list()->cell(0, 4), QString("1"));
        click(*kit.window, "cmdSave");
        QCOMPARE(shown(*kit.window, "tTxtBx0"), QString("2"));
    }

    void panelEditsAskBeforeTheyGo()
    {
        CatalogueWindow c({cartesianFigure("B001", "BP001"), cartesianFigure("B002", "BP002")});
        fMain &w = c.open();
        type(w, "tPicName", "改过");
        // 取消: the panel keeps its text, the current row stays highlighted.
        c.messages.answerNextWith(QMessageBox::Cancel);
        clickRow(w, 1);
        QVERIFY(c.messages.last().text.contains("刷新列表"));
        QVERIFY(hasButtons(c.messages.last(), {"刷新列表", "放弃", "取消"}));
        QCOMPARE(shown(w, "tPicName"), QString("改过"));
        QCOMPARE(figureList(w)->selectedRow(), 0);
        // 刷新列表 at 保 存: the edit goes into the row and is saved.
        c.messages.answerNextWith(QMessageBox::Save);
        click(w, "cmdSaveLvFigure");
        QCOMPARE(c.root.scalar("SELECT tm FROM picMain WHERE th = 'B001'").toString(), QString("改过"));
        // 放弃: the panel shows the row again, nothing is saved.
        type(w, "tPicName", "又改");
        c.messages.answerNextWith(QMessageBox::Discard);
        click(w, "cmdSaveLvFigure");
        QCOMPARE(shown(w, "tPicName"), QString("改过"));
        // Typed back to the original text, an edit is no longer pending.
        type(w, "tPicName", "x");
        type(w, "tPicName", "改过");
        c.messages.clear();
        clickRow(w, 1);
        QCOMPARE(c.messages.count(), 0);
    }

    void typeSwitchAsksAboutMarkedRows()
    {
        CatalogueWindow c({cartesianFigure("B001", "BP001"), triangularFigure("T001", "TP001")});
        fMain &w = c.open();
        click(w, "CmdDelete");
        c.messages.answerNextWith(QMessageBox::Cancel);
        clickOption(w, "Opt2");
        QVERIFY(control<QRadioButton>(w, "Opt1")->isChecked());
        QCOMPARE(marks(figureList(w)), QString("1★"));
        // Saved, the ★ row holds nothing unsaved: the switch asks no more.
        click(w, "cmdSaveLvFigure");
        c.messages.clear();
        // Put back, saved again and marked anew, it holds a record again.
        click(w, "cmdUpdate");
        click(w, "cmdSaveLvFigure");
        click(w, "CmdDelete");
        c.messages.answerNextWith(QMessageBox::Cancel);
        clickOption(w, "Opt2");
        QCOMPARE(c.messages.count(), 1);
        click(w, "cmdSaveLvFigure");
        c.messages.clear();
        clickOption(w, "Opt2");
        QCOMPARE(c.messages.count(), 0);
        QCOMPARE(marks(figureList(w)), QString("1"));
        QCOMPARE(figureList(w)->selectedRow(), -1); // the panel still shows B001
    }

    void newFigureGetsAFreeNumber()
    {
        CatalogueWindow c({cartesianFigure("B001", "BP001"), cartesianFigure("B002", "BP002"),
                           triangularFigure("T001", "BP004")});
        // Taken: B003 by points left behind, BP005 by a file in the thumbnail folder.
        c.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B003', 1, 1, 0, 1, 1, 1)");
        QFile(c.root.thumbnailDir() + "/BP005.gif").open(QIODevice::WriteOnly);
        fMain &w = c.open();
        click(w, "cmdAddPic");
        QCOMPARE(shown(w, "tTh"), QString("B006"));
        QCOMPARE(shown(w, "tFigName"), QString("BP006"));
    }
};

QTEST_MAIN(UnsavedWorkTest)
#include "tst_unsaved_work.moc"
