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
