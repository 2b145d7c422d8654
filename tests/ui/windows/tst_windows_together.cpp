// The windows side by side: each save goes through the one shared connection,
// which every list load in any window reopens, so a reload in one window must
// never break or misdirect a save pending in another.
#include "app/mQuillar.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QApplication>

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

    // The sub-window the catalogue window opened for row `row` with `button`, active.
    template <typename Editor>
    Editor &openEditor(fMain &catalogue, int row, const char *button)
    {
        clickRow(catalogue, row);
        click(catalogue, button);
        Editor *editor = SingleWindow<Editor>::instance();
        if (!editor || !showActive(*editor))
            qFatal("no active editor for %s", button);
        return *editor;
    }

private slots:
    void cleanup()
    {
        delete SingleWindow<fGroup>::instance();
        delete SingleWindow<fPicData>::instance();
        delete SingleWindow<fPicLbl>::instance();
    }

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
        // A proposed number not yet saved opens an empty editor that saves under it.
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
        QCOMPARE(c.messages.count(), 0);
        QCOMPARE(c.root.scalar("SELECT th FROM pData").toString(), proposed);
    }

    void editLeftPendingInAnotherWindowReachesItsRowOnTheClickBack()
    {
        CatalogueWindow c;
        addCartesianFigures(c.root, 2);
        c.root.exec("INSERT INTO pData (th, ID, X, Y) VALUES ('B001', 1, 5, 6)");
        fMain &catalogue = c.open();
        auto &points = openEditor<fPicData>(catalogue, 0, "CommandButton1");
        control(points, "tTxtBx3")->setFocus(Qt::TabFocusReason);
        type(points, "tTxtBx3", "8");
        // Another window takes the focus: the edit is still pending, not applied.
        QApplication::setActiveWindow(&catalogue);
        QTRY_VERIFY(!points.isActiveWindow());
        QCOMPARE(marks(control<ListView>(points, "LvFigure")), QStringLiteral("1"));
        // A click on 保 存 in the inactive window leaves the field before the save runs.
        click(points, "cmdSave");
        QVERIFY2(c.messages.count() == 0, qPrintable(c.messages.last().detail));
        QCOMPARE(c.root.scalar("SELECT X FROM pData WHERE th = 'B001'").toDouble(), 8.0);
    }

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
