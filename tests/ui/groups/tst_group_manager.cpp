// The group manager: loading, editing in the list, saving to picType, and
// opening it from the catalogue window.
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestInstallRoot.h"
#include "tests/support/WidgetKit.h"
#include "ui/catalogue/fMain.h"
#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"

#include <QHeaderView>
#include <QLineEdit>
#include <memory>

namespace {

// A group manager over a temporary catalogue holding `groups` (number, name).
struct GroupWindow
{
    explicit GroupWindow(const QList<QPair<QVariant, QVariant>> &groups = {})
    {
        for (const auto &[number, name] : groups)
            root.exec("INSERT INTO picType (grp, grpName) VALUES (?, ?)", {number, name});
    }

    fGroup &open()
    {
        window = std::make_unique<fGroup>();
        window->Form_Load();
        if (!showActive(*window))
            qFatal("the group window did not become active");
        return *window;
    }

    ListView *list() const { return control<ListView>(*window, "LvGroup"); }

    // picType as "1 一, 2 二", in group order.
    QString table() const
    {
        QStringList groups;
        for (const QVariantList &row : root.rows("SELECT grp, grpName FROM picType ORDER BY grp, rowid"))
            groups << row[0].toString() + ' ' + (row[1].isNull() ? "NULL" : row[1].toString());
        return groups.join(", ");
    }

    // The list as "1 一, 2* 二", what the user sees.
    QString shownRows() const
    {
        QStringList rows;
        for (int r = 0; r < list()->count(); ++r)
            rows << list()->text(r) + ' ' + list()->cell(r, 1);
        return rows.join(", ");
    }

    void rename(int row, const QString &name)
    {
        clickRow(list(), row);
        typeAndLeave(*window, "TextBox1", name, "cmdAddGroup");
    }

    void remove(int row)
    {
        clickRow(list(), row);
        click(*window, "cmdDeleteGroup");
    }

    TestInstallRoot root;
    MessageRecorder messages;
    std::unique_ptr<fGroup> window;
};

// picType without any key, as an older catalogue may have it.
void dropGroupKey(TestInstallRoot &root)
{
    root.exec("DROP TABLE picType");
    root.exec("CREATE TABLE picType (grp REAL, grpName TEXT)");
}

} // namespace

class GroupManagerTest : public QObject
{
    Q_OBJECT

private slots:
    void opensWithItsLayoutAndGroupsInOrder();
    void newGroupsGetAFreeNumber_data();
    void newGroupsGetAFreeNumber();
    void editsReachTheTableOnlyWhenSaved();
    void actionsWithoutACurrentRowChangeNothing();
    void newRowsNeverTakeAnotherGroup();
    void fractionalNumbersTouchOnlyTheirGroup();
    void failingSaveKeepsMarksFromTheFailingRowOn();
    void catalogueWindowOpensOneInstance();
};

void GroupManagerTest::opensWithItsLayoutAndGroupsInOrder()
{
    GroupWindow g({{3, "三"}, {1, "一"}, {2, QVariant()}});
    fGroup &w = g.open();
    QCOMPARE(w.windowTitle(), QStringLiteral("Strativa-Orrisplot-分组管理"));
    QCOMPARE(w.size(), QSize(295, 290)); // 4428 x 4344 twips at 96 DPI
    QCOMPARE(control(w, "TextBox1")->geometry(), QRect(48, 216, 233, 25));
    QCOMPARE(control(w, "LvGroup")->geometry(), QRect(8, 8, 275, 201));
    QCOMPARE(shown(w, "TextBox1"), QStringLiteral("Text1"));
    QCOMPARE(g.list()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("序号"));
    QCOMPARE(g.list()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("分组名称"));
    QCOMPARE(g.list()->columnWidth(0), 40);
    QCOMPARE(g.list()->columnWidth(1), 213);
    // A NULL name shows empty; the list is in group order.
    QCOMPARE(g.shownRows(), QStringLiteral("1 一, 2 , 3 三"));

    // Tab order: list, name, add, delete, save.
    QStringList order;
    QWidget *widget = g.list();
    for (int i = 0; i < 5; ++i, widget = widget->nextInFocusChain()) {
        while (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&w))
            widget = widget->nextInFocusChain();
        order << widget->objectName();
    }
    QCOMPARE(order.join(' '), QStringLiteral("LvGroup TextBox1 cmdAddGroup cmdDeleteGroup cmdGrpUpdata"));
}

void GroupManagerTest::newGroupsGetAFreeNumber_data()
{
    QTest::addColumn<QVariantList>("stored");
    QTest::addColumn<QString>("afterTwoAdds");
    // The next add, once the table holds the number that add would have had.
    QTest::addColumn<QString>("afterTheTableGrew");
    QTest::newRow("none") << QVariantList{} << "1# 2#" << "4#";
    QTest::newRow("1 2 3") << QVariantList{1, 2, 3} << "1 2 3 4# 5#" << "7#";
    QTest::newRow("gap: 1 3 4") << QVariantList{1, 3, 4} << "1 3 4 5# 6#" << "7#";
    QTest::newRow("gap after: 1 2 9") << QVariantList{1, 2, 9} << "1 2 9 4# 5#" << "10#";
    QTest::newRow("not whole: 1 2.5") << QVariantList{1, 2.5} << "1 2.5 3# 4#" << "6#";
}

void GroupManagerTest::newGroupsGetAFreeNumber()
{
    QFETCH(QVariantList, stored);
    GroupWindow g;
    dropGroupKey(g.root); // lets a test store 2.5
    for (const QVariant &number : stored)
        g.root.exec("INSERT INTO picType (grp, grpName) VALUES (?, 'x')", {number});
    fGroup &w = g.open();
    click(w, "cmdAddGroup");
    click(w, "cmdAddGroup");
    QTEST(marks(g.list()), "afterTwoAdds");
    QCOMPARE(g.list()->cell(g.list()->count() - 1, 1), QStringLiteral("在此输入新的组名"));
    QCOMPARE(g.list()->tag(g.list()->count() - 1), 2);

    // A group added behind the window's back is not offered again.
    const int next = g.list()->count() + 1;
    g.root.exec("INSERT INTO picType (grp, grpName) VALUES (?, 'other')", {next});
    click(w, "cmdAddGroup");
    QTEST(g.list()->text(g.list()->count() - 1), "afterTheTableGrew");
}

void GroupManagerTest::editsReachTheTableOnlyWhenSaved()
{
    GroupWindow g({{1, "一"}, {2, "二"}, {3, "三"}, {4, "四"}, {5, "五"}});
    fGroup &w = g.open();

    clickRow(g.list(), 0);
    QCOMPARE(shown(w, "TextBox1"), QStringLiteral("一"));
    typeAndLeave(w, "TextBox1", "一", "cmdAddGroup"); // unchanged: no mark
    g.rename(1, "第二组");
    g.rename(1, "二"); // back to the stored name: still an edit of the row
    g.remove(2);
    g.remove(4);
    g.rename(4, "仍是五"); // a deleted row renamed is a changed row again
    click(w, "cmdAddGroup");
    g.rename(5, "新组");
    click(w, "cmdAddGroup");
    click(w, "cmdAddGroup");
    g.remove(7); // a new row deleted before any save
    QCOMPARE(g.shownRows(), QStringLiteral("1 一, 2* 二, 3d 三, 4 四, 5* 仍是五, 6# 新组, "
                                           "7# 在此输入新的组名, 8d 在此输入新的组名"));
    QCOMPARE(g.table(), QStringLiteral("1 一, 2 二, 3 三, 4 四, 5 五"));

    click(w, "cmdGrpUpdata");
    QCOMPARE(g.messages.count(), 0);
    QCOMPARE(g.table(), QStringLiteral("1 一, 2 二, 4 四, 5 仍是五, 6 新组, 7 在此输入新的组名"));
    // Reloaded from the table: no marks, deleted groups gone.
    QCOMPARE(g.shownRows(), QStringLiteral("1 一, 2 二, 4 四, 5 仍是五, 6 新组, 7 在此输入新的组名"));
    for (int r = 0; r < g.list()->count(); ++r)
        QCOMPARE(g.list()->tag(r), 0);

    // A stored NULL name can be renamed.
    g.root.exec("INSERT INTO picType (grp, grpName) VALUES (9, NULL)");
    g.window->setGroup();
    g.rename(6, "九");
    click(w, "cmdGrpUpdata");
    QVERIFY(g.table().endsWith("9 九"));
}

void GroupManagerTest::actionsWithoutACurrentRowChangeNothing()
{
    GroupWindow g({{1, "一"}, {2, "二"}});
    fGroup &w = g.open();
    typeAndLeave(w, "TextBox1", "无主", "cmdAddGroup");
    click(w, "cmdDeleteGroup");
    QCOMPARE(marks(g.list()), QStringLiteral("1 2"));

    g.rename(0, "甲");
    click(w, "cmdGrpUpdata"); // reloads: no row is current any more
    typeAndLeave(w, "TextBox1", "乙", "cmdAddGroup");
    click(w, "cmdDeleteGroup");
    QCOMPARE(marks(g.list()), QStringLiteral("1 2"));
    click(w, "cmdGrpUpdata");
    QCOMPARE(g.table(), QStringLiteral("1 甲, 2 二"));
}

void GroupManagerTest::newRowsNeverTakeAnotherGroup()
{
    GroupWindow g({{1, "一"}, {2, "二"}});
    dropGroupKey(g.root); // nothing in the table stops a second group 3
    g.root.exec("INSERT INTO picType VALUES (1, '一'), (2, '二')");
    fGroup &w = g.open();
    click(w, "cmdAddGroup"); // 3#
    click(w, "cmdAddGroup"); // 4#
    g.remove(3);             // 4d: never stored
    g.root.exec("INSERT INTO picType VALUES (3, '别人的'), (4, '也是别人的')");

    click(w, "cmdGrpUpdata");
    QCOMPARE(g.messages.count(), 1);
    QCOMPARE(g.messages.last().text, QStringLiteral("不好意思，出错了！"));
    QVERIFY2(g.messages.last().detail.contains("别人的"), qPrintable(g.messages.last().detail));
    QCOMPARE(g.table(), QStringLiteral("1 一, 2 二, 3 别人的, 4 也是别人的"));
    QCOMPARE(marks(g.list()), QStringLiteral("1 2 3# 4d"));
}

void GroupManagerTest::fractionalNumbersTouchOnlyTheirGroup()
{
    GroupWindow g;
    dropGroupKey(g.root);
    g.root.exec("INSERT INTO picType VALUES (0.3, '整'), (0.1 + 0.2, '浮点'), (2, '二'), (2.5, '二点五')");
    fGroup &w = g.open();
    QCOMPARE(marks(g.list()), QStringLiteral("0.3 0.3 2 2.5")); // as stored, to 15 digits
    g.rename(1, "浮点改");
    g.remove(3);
    click(w, "cmdGrpUpdata");
    QCOMPARE(g.messages.count(), 0);
    QCOMPARE(g.root.scalar("SELECT group_concat(grpName, ' ') FROM (SELECT grpName FROM picType ORDER BY grp)").toString(),
             QStringLiteral("整 浮点改 二"));
}

void GroupManagerTest::failingSaveKeepsMarksFromTheFailingRowOn()
{
    GroupWindow g({{1, "一"}, {2, "二"}, {3, "三"}, {4, "四"}});
    g.root.exec("CREATE TRIGGER locked BEFORE UPDATE ON picType WHEN old.grp = 3"
                " BEGIN SELECT RAISE(ABORT, '分组 3 被锁定'); END");
    fGroup &w = g.open();
    g.remove(0);
    g.rename(1, "二二");
    g.rename(2, "三三");
    g.rename(3, "四四");
    click(w, "cmdAddGroup");
    clickRow(g.list(), 4);

    click(w, "cmdGrpUpdata");
    QCOMPARE(g.messages.count(), 1);
    QVERIFY(g.messages.last().detail.contains("分组 3 被锁定"));
    // The rows before the failing one are written; it and those after keep their marks.
    QCOMPARE(g.table(), QStringLiteral("2 二二, 3 三, 4 四"));
    QCOMPARE(g.shownRows(), QStringLiteral("2 二二, 3* 三三, 4* 四四, 5# 在此输入新的组名"));
    // The row clicked last is still the current one after the deleted row left the list.
    typeAndLeave(w, "TextBox1", "五", "cmdAddGroup");
    QCOMPARE(g.list()->cell(3, 1), QStringLiteral("五"));

    g.root.exec("DROP TRIGGER locked");
    click(w, "cmdGrpUpdata");
    QCOMPARE(g.messages.count(), 1);
    QCOMPARE(g.table(), QStringLiteral("2 二二, 3 三三, 4 四四, 5 五"));
    QCOMPARE(marks(g.list()), QStringLiteral("2 3 4 5"));
}

void GroupManagerTest::catalogueWindowOpensOneInstance()
{
    GroupWindow g({{1, "一"}, {2, "二"}});
    fMain catalogue;
    catalogue.Form_Load();
    click(catalogue, "Command1");
    fGroup *first = SingleWindow<fGroup>::instance();
    QVERIFY(first && first->isVisible() && !first->parentWidget());
    QVERIFY(showActive(*first));
    auto *list = control<ListView>(*first, "LvGroup");
    clickRow(list, 1);
    typeAndLeave(*first, "TextBox1", "改了", "cmdAddGroup");

    // Asked for again: the same window, not reloaded, its edit still pending.
    g.root.exec("INSERT INTO picType VALUES (3, '三')");
    click(catalogue, "Command1");
    QCOMPARE(SingleWindow<fGroup>::instance(), first);
    QCOMPARE(marks(list), QStringLiteral("1 2*"));

    // Closed with the frame, it is unloaded with its edits; the next press loads it afresh.
    first->close();
    QTRY_VERIFY(!SingleWindow<fGroup>::instance());
    click(catalogue, "Command1");
    fGroup *second = SingleWindow<fGroup>::instance();
    QVERIFY(second);
    QCOMPARE(marks(control<ListView>(*second, "LvGroup")), QStringLiteral("1 2 3"));
    QCOMPARE(g.table(), QStringLiteral("1 一, 2 二, 3 三"));
    delete second;
}

QTEST_MAIN(GroupManagerTest)
#include "tst_group_manager.moc"
