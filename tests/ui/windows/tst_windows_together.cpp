// The windows side by side: each save goes through the one shared connection,
// which every list load in any window reopens, so a reload in one window must
// never break or misdirect a save pending in another.
#include "app/mQuillar.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

class WindowsTogetherTest : public QObject
{
    Q_OBJECT

    // The group window the catalogue window opened, active, with one row renamed.
    fGroup &openGroupsAndRename(fMain &catalogue, int row, const QString &name)
    {
        click(catalogue, "Command1");
        fGroup *groups = SingleWindow<fGroup>::instance();
        if (!groups || !showActive(*groups))
            qFatal("no active group window");
        clickRow(control<ListView>(*groups, "LvGroup"), row);
        typeAndLeave(*groups, "TextBox1", name, "cmdAddGroup");
        return *groups;
    }

private slots:
    void cleanup() { closeSubEditors(); }

    void editorsOpenTheNumberTheCatalogueShows()
    {
        CatalogueWindow c;
        addCartesianFigures(c.root, 2);
        fMain &catalogue = c.open();
        // An empty number hands over nothing: the label editor shows B001.
        type(catalogue, "tTh", "");
        click(catalogue, "CommandButton2");
        QVERIFY(SingleWindow<fPicLbl>::instance());
        QCOMPARE(SingleWindow<fPicLbl>::instance()->figureNumber(), QStringLiteral("B001"));
        QCOMPARE(gFigNo, QStringLiteral("B001"));
        // A proposed number not yet saved opens an empty editor that saves
        // under it; the emptied number is a panel edit 新建 asks about first.
        c.messages.answerNextWith(QMessageBox::Discard);
        click(catalogue, "cmdAddPic");
        const QString proposed = shown(catalogue, "tTh");
        QVERIFY(proposed != "B001" && proposed != "B002");
        click(catalogue, "CommandButton1");
        fPicData *points = SingleWindow<fPicData>::instance();
        QVERIFY(points && showActive(*points));
        QCOMPARE(points->figureNumber(), proposed);
        QCOMPARE(control<ListView>(*points, "LvFigure")->count(), 0);
        click(*points, "cmdAddPoint");
        type(*points, "tTxtBx3", "1");
        type(*points, "tTxtBx4", "2");
        click(*points, "cmdAddPoint");
        click(*points, "cmdSave");
        QCOMPARE(c.messages.count(), 1); // the question alone
        QCOMPARE(c.root.scalar("SELECT th FROM pData").toString(), proposed);
    }

    // 显示图版数据 for another figure loads it into the open editor, asking
    // first about unsaved work; a reload starts a new undo history.
    void anOpenEditorFollowsTheFigureAskedFor()
    {
        CatalogueWindow c;
        addCartesianFigures(c.root, 3);
        c.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 10, 100, 1), "
                    "('B001', 2, 1, 0, 20, 200, 1), ('B002', 1, 2, 0, 30, 300, 1)");
        fMain &catalogue = c.open();
        const auto askFor = [&](int row) {
            QVERIFY(showActive(catalogue));
            clickRow(catalogue, row);
            click(catalogue, "CommandButton1");
        };
        askFor(0);
        fPicData *points = SingleWindow<fPicData>::instance();
        QVERIFY(points && showActive(*points));
        ListView *list = control<ListView>(*points, "LvFigure");
        askFor(1);
        QCOMPARE(SingleWindow<fPicData>::instance(), points);
        QCOMPARE(c.messages.count(), 0);
        QCOMPARE(points->figureNumber(), QStringLiteral("B002"));
        QCOMPARE(points->windowTitle(), QStringLiteral("Orrisplot—Figure Data Manager：B002    "));
        QCOMPARE(marks(list), QStringLiteral("1"));
        QCOMPARE(firstMismatch(*points, {{"tTxtBx0", "1"}, {"tTxtBx1", "2"}, {"tTxtBx3", "30"}}), QString());

        // 取消 keeps the figure and its edit.
        QVERIFY(showActive(*points));
        clickRow(list, 0);
        typeAndLeave(*points, "tTxtBx3", "35", "tTxtBx4");
        c.messages.answerNextWith(QMessageBox::Cancel);
        askFor(2);
        QCOMPARE(c.messages.last().text, QStringLiteral("有未保存的修改。是否先保存？"));
        QCOMPARE(points->figureNumber(), QStringLiteral("B002"));
        QCOMPARE(marks(list), QStringLiteral("1*"));
        // 放弃 loads the figure without its points: fields as a new window shows them, nothing to undo.
        c.messages.answerNextWith(QMessageBox::Discard);
        askFor(2);
        QCOMPARE(points->figureNumber(), QStringLiteral("B003"));
        QCOMPARE(list->count(), 0);
        QCOMPARE(firstMismatch(*points, {{"tTxtBx0", "Text1"}, {"tTxtBx3", "Text2"}, {"cmdAddPoint", "添 加"}}), QString());
        QVERIFY(showActive(*points));
        list->setFocus();
        pressOnList(list, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(list->count(), 0);
        QCOMPARE(c.root.scalar("SELECT X FROM pData WHERE th = 'B002'").toDouble(), 30.0);

        // 保存 writes the new point under the figure it was typed for, then loads the other.
        click(*points, "cmdAddPoint");
        type(*points, "tTxtBx3", "5");
        type(*points, "tTxtBx4", "6");
        c.messages.answerNextWith(QMessageBox::Save);
        askFor(0);
        QCOMPARE(c.root.scalar("SELECT count(*) FROM pData WHERE th = 'B003' AND X = 5 AND Y = 6").toInt(), 1);
        QCOMPARE(points->figureNumber(), QStringLiteral("B001"));
        QCOMPARE(marks(list), QStringLiteral("1 2"));
        // The figure it holds: only brought forward.
        c.messages.clear();
        askFor(0);
        QCOMPARE(c.messages.count(), 0);
        QCOMPARE(points->figureNumber(), QStringLiteral("B001"));
    }

    // The catalogue renumbers a figure an editor holds: the editor saves under the new number.
    void anOpenEditorFollowsARenumbering()
    {
        CatalogueWindow c;
        addCartesianFigures(c.root, 2);
        c.root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B002', 1, 5, 6, '玄武岩')");
        fMain &catalogue = c.open();
        clickRow(catalogue, 1);
        click(catalogue, "CommandButton2");
        fPicLbl *labels = SingleWindow<fPicLbl>::instance();
        QVERIFY(labels);
        editRow(catalogue, 1, "tTh", "B020");
        click(catalogue, "cmdSaveLvFigure");
        QCOMPARE(labels->figureNumber(), QStringLiteral("B020"));
        QVERIFY(labels->windowTitle().endsWith(QStringLiteral("B020    ")));
        QVERIFY(showActive(*labels));
        clickRow(control<ListView>(*labels, "LvFigure"), 0);
        typeAndLeave(*labels, "tTxtBx3", "安山岩", "tTxtBx1");
        click(*labels, "cmdSave");
        QCOMPARE(c.messages.count(), 0);
        QCOMPARE(c.root.scalar("SELECT th || ':' || Lbl FROM picLable").toString(), QStringLiteral("B020:安山岩"));
    }

    // "共有 N 个图版" counts the figures of the type shown that the catalogue holds after each save.
    void theCountFollowsSaves()
    {
        CatalogueWindow c({triangularFigure("T001", "TP001"), triangularFigure("T002", "TP002"),
                           triangularFigure("T003", "TP003"), cartesianFigure("B001", "BP001")});
        fMain &catalogue = c.open();
        clickOption(catalogue, "Opt2");
        QCOMPARE(shown(catalogue, "lblNumber"), QStringLiteral("共有 3 个图版"));
        for (int added = 0; added < 2; ++added) {
            clickRow(catalogue, 0);
            click(catalogue, "cmdAddPic");
            type(catalogue, "comGroup", "1");
            click(catalogue, "cmdUpdate");
        }
        QCOMPARE(shown(catalogue, "lblNumber"), QStringLiteral("共有 3 个图版"));
        click(catalogue, "cmdSaveLvFigure");
        QCOMPARE(shown(catalogue, "lblNumber"), QStringLiteral("共有 5 个图版"));
        for (int row : {0, 3}) {
            clickRow(catalogue, row);
            click(catalogue, "CmdDelete");
        }
        click(catalogue, "cmdSaveLvFigure");
        QCOMPARE(c.messages.count(), 0);
        QCOMPARE(marks(figureList(catalogue)).count(QStringLiteral("★")), 2);
        QCOMPARE(shown(catalogue, "lblNumber"), QStringLiteral("共有 3 个图版"));
        QCOMPARE(c.root.scalar("SELECT count(*) FROM picMain WHERE LB = 'T'").toInt(), 3);
    }

    // Each save reopens nothing the other needs: a group edit pending while
    // the catalogue switches type and saves, then a catalogue edit pending
    // while the group manager saves and reloads.
    void savesSurviveTheOtherWindowsReloads()
    {
        CatalogueWindow c;
        addCartesianFigures(c.root, 3);
        c.root.insertFigure(triangularFigure("T001", "TP001"));
        c.root.exec("INSERT INTO picType VALUES (1, '一'), (2, '二')");
        fMain &catalogue = c.open();
        fGroup &groups = openGroupsAndRename(catalogue, 1, "第二组");
        clickOption(catalogue, "Opt2");
        clickOption(catalogue, "Opt1");
        editRow(catalogue, 0, "tPicName", "改名");
        click(catalogue, "cmdSaveLvFigure");
        click(groups, "cmdGrpUpdata");

        editRow(catalogue, 2, "tPicName", "第三");
        clickRow(catalogue, 1);
        type(catalogue, "tPicName", "第二");
        clickRow(control<ListView>(groups, "LvGroup"), 0);
        typeAndLeave(groups, "TextBox1", "甲", "cmdAddGroup");
        click(groups, "cmdGrpUpdata");
        click(catalogue, "cmdUpdate");
        click(catalogue, "cmdSaveLvFigure");

        QCOMPARE(c.messages.count(), 0);
        QCOMPARE(c.root.scalar("SELECT group_concat(grpName) FROM (SELECT grpName FROM picType ORDER BY grp)").toString(),
                 QStringLiteral("甲,第二组"));
        QCOMPARE(c.root.scalar("SELECT group_concat(tm) FROM (SELECT tm FROM picMain WHERE LB = 'B' ORDER BY th)").toString(),
                 QStringLiteral("改名,第二,第三"));
    }
};

QTEST_MAIN(WindowsTogetherTest)
#include "tst_windows_together.moc"
