// The group manager: its layout, fractional group numbers, and a save that
// fails midway. Edits, marks, adds and saves as such the random sequences prove.
#include "tests/support/FigureEditorKit.h"
#include "ui/groups/fGroup.h"


namespace {

// A group manager over a temporary catalogue holding `groups` (number, name).
struct GroupWindow : FigureEditorKit<fGroup>
{
    explicit GroupWindow(const QList<QPair<QVariant, QVariant>> &groups = {})
    {
        listName = "LvGroup";
        for (const auto &[number, name] : groups)
            root.exec("INSERT INTO picType (grp, grpName) VALUES (?, ?)", {number, name});
    }

    // picType as "1 一, 2 二", in group order.
    QString table() const
    {
        return recordList(root, "SELECT grp, grpName FROM picType ORDER BY grp, rowid").replaceInStrings(":", " ").join(", ");
    }

    // The list as "1 一, 2* 二", what the user sees.
    QString shownRows() const
    {
        QStringList rows;
        for (int r = 0; r < list()->count(); ++r)
            rows << list()->text(r) + ' ' + list()->cell(r, 1);
        return rows.join(", ");
    }

    void rename(int row, const QString &name) { edit(row, "TextBox1", name, "cmdAddGroup"); }

    void remove(int row)
    {
        clickRow(list(), row);
        click(*window, "cmdDeleteGroup");
    }
};

} // namespace

class GroupManagerTest : public QObject
{
    Q_OBJECT

private slots:
    void opensWithItsLayoutAndGroupsInOrder();
    void fractionalNumbersTouchOnlyTheirGroup();
    void failingRowStopsTheSaveAndKeepsItsMarks();
};

void GroupManagerTest::opensWithItsLayoutAndGroupsInOrder()
{
    GroupWindow g({{3, "三"}, {1, "一"}, {2, QVariant()}});
    fGroup &w = g.open(QString());
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
    clickRow(g.list(), 0);
    QCOMPARE(shown(w, "TextBox1"), QStringLiteral("一"));
    clickRow(g.list(), 1);
    QCOMPARE(shown(w, "TextBox1"), QString());

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

void GroupManagerTest::fractionalNumbersTouchOnlyTheirGroup()
{
    GroupWindow g;
    g.root.dropConstraints("picType"); // lets a test store 2.5
    g.root.exec("INSERT INTO picType VALUES (0.3, '整'), (0.1 + 0.2, '浮点'), (2, '二'), (2.5, '二点五')");
    fGroup &w = g.open(QString());
    QCOMPARE(marks(g.list()), QStringLiteral("0.3 0.3 2 2.5")); // as stored, to 15 digits
    // Groups stored behind the window's back take 5, the next position: the
    // new group gets the whole number after the highest in use.
    g.root.exec("INSERT INTO picType VALUES (5, '别人的'), (5.5, '别人的')");
    click(w, "cmdAddGroup");
    QCOMPARE(g.list()->text(4), QStringLiteral("6#"));
    g.rename(1, "浮点改");
    g.remove(3);
    click(w, "cmdGrpUpdata");
    QCOMPARE(g.messages.count(), 0);
    QCOMPARE(g.root.scalar("SELECT group_concat(grp || grpName, ' ') FROM (SELECT * FROM picType ORDER BY grp)").toString(),
             QStringLiteral("0.3整 0.3浮点改 2二 5别人的 5.5别人的 6在此输入新的组名"));
}

// The rows before the failing one are written; it and those after keep their
// marks, and the next save retries them.
void GroupManagerTest::failingRowStopsTheSaveAndKeepsItsMarks()
{
    GroupWindow g;
    g.root.dropConstraints("picType"); // only the window stops a second group 3
    g.root.exec("INSERT INTO picType VALUES (1, '一'), (2, '二')");
    fGroup &w = g.open(QString());
    g.remove(0);
    g.rename(1, "二二");
    click(w, "cmdAddGroup"); // 3#
    click(w, "cmdAddGroup"); // 4#
    g.remove(3);             // 4d: never stored
    clickRow(g.list(), 2);
    g.root.exec("INSERT INTO picType VALUES (3, '别人的'), (4, '也是别人的')");

    click(w, "cmdGrpUpdata");
    QCOMPARE(g.messages.count(), 1);
    QVERIFY2(g.messages.last().text.startsWith(QStringLiteral("不好意思，出错了！\n第 3 行"))
                 && g.messages.last().text.contains("别人的"), qPrintable(g.messages.last().text));
    QCOMPARE(g.table(), QStringLiteral("2 二二, 3 别人的, 4 也是别人的"));
    QCOMPARE(g.shownRows(), QStringLiteral("2 二二, 3# 在此输入新的组名, 4d 在此输入新的组名"));
    // The row clicked last is still the current one after the deleted row left the list.
    typeAndLeave(w, "TextBox1", "三", "cmdAddGroup");
    QCOMPARE(g.list()->cell(1, 1), QStringLiteral("三"));

    g.root.exec("DELETE FROM picType WHERE grp = 3");
    click(w, "cmdGrpUpdata");
    QCOMPARE(g.messages.count(), 1);
    QCOMPARE(g.table(), QStringLiteral("2 二二, 3 三, 4 也是别人的"));
    QCOMPARE(marks(g.list()), QStringLiteral("2 3 4"));
}

QTEST_MAIN(GroupManagerTest)
#include "tst_group_manager.moc"
