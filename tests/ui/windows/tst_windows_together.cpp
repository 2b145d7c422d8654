// The windows side by side: each save goes through the one shared connection,
// which every list load in any window reopens, so a reload in one window must
// never break or misdirect a save pending in another.
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"

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
    void cleanup() { delete SingleWindow<fGroup>::instance(); }

    void groupSaveSurvivesCatalogueReloadsAndSaves()
    {
        CatalogueWindow c;
        addCartesianFigures(c.root, 3);
        c.root.insertFigure(triangularFigure("T001", "TP001"));
        c.root.exec("INSERT INTO picType VALUES (1, '一'), (2, '二')");
        fMain &catalogue = c.open();
        fGroup &groups = openGroupsAndRename(catalogue, 1, "第二组");

        // The catalogue reopens the connection twice and saves an edit of its own.
        clickOption(catalogue, "Opt2");
        clickOption(catalogue, "Opt1");
        editRow(catalogue, 0, "tPicName", "改名");
        click(catalogue, "cmdSaveLvFigure");
        click(groups, "cmdGrpUpdata");

        QCOMPARE(c.messages.count(), 0);
        QCOMPARE(c.root.scalar("SELECT grpName FROM picType WHERE grp = 2").toString(), QStringLiteral("第二组"));
        QCOMPARE(c.root.scalar("SELECT tm FROM picMain WHERE th = 'B001'").toString(), QStringLiteral("改名"));
    }

    void catalogueSaveSurvivesAGroupReload()
    {
        CatalogueWindow c;
        addCartesianFigures(c.root, 3);
        c.root.exec("INSERT INTO picType VALUES (1, '一')");
        fMain &catalogue = c.open();
        editRow(catalogue, 2, "tPicName", "第三");
        clickRow(catalogue, 0);
        type(catalogue, "tPicName", "第一");
        // The group save reloads its list and so reopens the shared connection.
        fGroup &groups = openGroupsAndRename(catalogue, 0, "甲");
        click(groups, "cmdGrpUpdata");
        click(catalogue, "cmdUpdate");
        click(catalogue, "cmdSaveLvFigure");

        QCOMPARE(c.messages.count(), 0);
        QCOMPARE(c.root.scalar("SELECT grpName FROM picType WHERE grp = 1").toString(), QStringLiteral("甲"));
        QCOMPARE(c.root.rows("SELECT tm FROM picMain ORDER BY th").size(), 3);
        QCOMPARE(c.root.scalar("SELECT group_concat(tm, ',') FROM (SELECT tm FROM picMain ORDER BY th)").toString(),
                 QStringLiteral("第一,图 B002,第三"));
    }
};

QTEST_MAIN(WindowsTogetherTest)
#include "tst_windows_together.moc"
