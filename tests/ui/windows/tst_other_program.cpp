// Another program writing the same catalogue while the windows are open,
// played by the test's own connection: no row ever shows or writes another
// figure's values, a save writes only what the user changed, asks when both
// changed the same field, and never writes rows read from a file that was
// replaced since, nor points or labels of a figure that has gone.
#include "tests/support/FigureEditorKit.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QFile>
#include <QRadioButton>

namespace {

QString figureField(const TestInstallRoot &root, const QString &number, const char *field)
{
    return root.scalar(QString("SELECT %1 FROM picMain WHERE th = %2").arg(field, quotedFigure(number))).toString();
}

// Three figures listed in number order, rowids 1, 2, 3; only the first is read at start-up.
struct ThreeFigures : CatalogueWindow
{
    ThreeFigures()
        : CatalogueWindow({cartesianFigure("B001", "BP001"), cartesianFigure("B002", "BP002"),
                           cartesianFigure("B003", "BP003")})
    {
    }
};

} // namespace

class OtherProgramTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeSubEditors(); }

    // SQLite gives a deleted last record's rowid to the next insert.
    void rowidTakenOverByAnotherFigure()
    {
        ThreeFigures c;
        fMain &w = c.open();
        ListView *list = figureList(w);
        QVERIFY(list->rowReadable(0));
        c.root.exec("DELETE FROM picMain WHERE th = 'B003'");
        QVariantMap other = cartesianFigure("B900", "BP900");
        other["X1"] = 77;
        other["Comment"] = "B900 的说明";
        c.root.insertFigure(other);
        QCOMPARE(c.root.scalar("SELECT _rowid_ FROM picMain WHERE th = 'B900'").toInt(), 3);

        // Not yet shown: B003 is gone, so its row cannot be read, and B900's
        // values never appear under its number.
        QCOMPARE(list->cell(2, 1), QStringLiteral("B003"));
        QVERIFY(!list->rowReadable(2));
        QVERIFY(list->cell(2, 5).isEmpty() && list->cell(2, 21).isEmpty());
        clickRow(w, 2);
        QCOMPARE(c.messages.count(), 1);
        QVERIFY(c.messages.last().text.contains("B003"));
        QCOMPARE(shown(w, "tTh"), QStringLiteral("B001"));

        // Written back at a new rowid, as a save that deletes and inserts does:
        // the row is read by its number, and a save writes only the edited name.
        QVariantMap back = cartesianFigure("B003", "BP003");
        back["X1"] = 33;
        c.root.insertFigure(back);
        QCOMPARE(list->cell(2, 5), QStringLiteral("33"));
        editRow(w, 2, "tPicName", "新名字");
        click(w, "cmdSaveLvFigure");
        QCOMPARE(c.messages.count(), 1);
        QCOMPARE(figureField(c.root, "B003", "tm"), QStringLiteral("新名字"));
        QCOMPARE(figureField(c.root, "B003", "X1"), QStringLiteral("33"));
        QCOMPARE(figureField(c.root, "B900", "Comment"), QStringLiteral("B900 的说明"));
        QCOMPARE(figureField(c.root, "B900", "tm"), QStringLiteral("图 B900"));
    }

    // A row shown before the other program's change keeps what it showed;
    // the save finds the record by number and writes only the edit.
    void shownRowWritesOnlyItsEdit()
    {
        ThreeFigures c;
        fMain &w = c.open();
        ListView *list = figureList(w);
        QVERIFY(list->rowReadable(1));
        // A second copy of the program (or the host) saves other fields of B002.
        c.root.exec("UPDATE picMain SET figName = 'BP202', Comment = '他们的说明', X2 = 55 WHERE th = 'B002'");
        editRow(w, 1, "tPicName", "我们的名字");
        editRow(w, 1, "tX3", "6");
        click(w, "cmdSaveLvFigure");
        QCOMPARE(c.messages.count(), 0);
        QCOMPARE(marks(list), QStringLiteral("1 2 3"));
        QCOMPARE(figureField(c.root, "B002", "tm"), QStringLiteral("我们的名字"));
        QCOMPARE(figureField(c.root, "B002", "X3"), QStringLiteral("6"));
        QCOMPARE(figureField(c.root, "B002", "figName"), QStringLiteral("BP202"));
        QCOMPARE(figureField(c.root, "B002", "Comment"), QStringLiteral("他们的说明"));
        QCOMPARE(figureField(c.root, "B002", "X2"), QStringLiteral("55"));

        // Their later change of a field we saved is theirs too: our next save
        // of another field leaves it, and our next edit of it asks.
        c.root.exec("UPDATE picMain SET X3 = 7 WHERE th = 'B002'");
        editRow(w, 1, "tY3", "2");
        click(w, "cmdSaveLvFigure");
        QCOMPARE(figureField(c.root, "B002", "X3"), QStringLiteral("7"));
        c.messages.answerNextWith(QMessageBox::Save);
        editRow(w, 1, "tX3", "8");
        click(w, "cmdSaveLvFigure");
        QCOMPARE(c.messages.count(), 1);
        QVERIFY(c.messages.last().text.contains("已被另一个程序修改"));
        QCOMPARE(figureField(c.root, "B002", "X3"), QStringLiteral("8"));
    }

    // Both changed the same field of B002; B001 before it is saved whatever the answer.
    void sameFieldChangedByBoth_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("marksAfter");
        QTest::addColumn<QString>("rowName");
        QTest::newRow("覆盖") << int(QMessageBox::Save) << "我们的" << "1 2 3" << "我们的";
        QTest::newRow("放弃") << int(QMessageBox::Discard) << "他们的" << "1 2 3" << "他们的";
        QTest::newRow("取消") << int(QMessageBox::Cancel) << "他们的" << "1 2* 3*" << "我们的";
    }

    void sameFieldChangedByBoth()
    {
        QFETCH(int, answer);
        QFETCH(QString, stored);
        QFETCH(QString, marksAfter);
        QFETCH(QString, rowName);
        ThreeFigures c;
        fMain &w = c.open();
        ListView *list = figureList(w);
        editRow(w, 0, "tPicName", "一号");
        editRow(w, 2, "tComment", "三号");
        editRow(w, 1, "tPicName", "我们的");
        editRow(w, 1, "tX1", "0.5");
        c.root.exec("UPDATE picMain SET tm = '他们的', X2 = 9 WHERE th = 'B002'");
        c.messages.answerNextWith(QMessageBox::StandardButton(answer));
        click(w, "cmdSaveLvFigure");

        QCOMPARE(c.messages.count(), 1); // the question, and no error after it
        const MessageRequest question = c.messages.last();
        QVERIFY2(question.text.contains("图版 B002 已被另一个程序修改") && question.text.contains("他们的")
                     && question.text.contains("我们的"),
                 qPrintable(question.text));
        QCOMPARE(question.buttonTexts.value(QMessageBox::Save), QStringLiteral("覆盖"));
        QCOMPARE(question.buttonTexts.value(QMessageBox::Discard), QStringLiteral("放弃"));
        QCOMPARE(marks(list), marksAfter);
        QCOMPARE(figureField(c.root, "B001", "tm"), QStringLiteral("一号"));
        QCOMPARE(figureField(c.root, "B002", "tm"), stored);
        QCOMPARE(figureField(c.root, "B002", "X2"), QStringLiteral("9")); // theirs alone: never ours
        QCOMPARE(figureField(c.root, "B002", "X1"), answer == QMessageBox::Save ? QStringLiteral("0.5") : QStringLiteral("0.1"));
        QCOMPARE(figureField(c.root, "B003", "Comment"),
                 answer == QMessageBox::Cancel ? QStringLiteral("说明 B003") : QStringLiteral("三号"));
        QCOMPARE(list->cell(1, 2), rowName);
        // The panel shows what the row holds: nothing is pending in it.
        QCOMPARE(shown(w, "tPicName"), rowName);
        c.messages.clear();
        clickRow(w, 0);
        QCOMPARE(c.messages.count(), 0);
    }

    // A backup restored over the catalogue: the next reconnect (the group
    // manager opening) does not let the list read or write the new file.
    void fileReplacedBetweenReconnects()
    {
        ThreeFigures c;
        fMain &w = c.open();
        ListView *list = figureList(w);
        const QString path = c.root.cataloguePath();
        QVERIFY(QFile::copy(path, path + ".backup"));
        c.root.exec("UPDATE picMain SET tm = '备份之后', X1 = 99");
        QVERIFY(QFile::remove(path) && QFile::rename(path + ".backup", path));
        c.root.reconnect();
        click(w, "Command1"); // 分组管理 reopens the shared connection
        QTRY_VERIFY(SingleWindow<fGroup>::instance());

        QVERIFY(!list->rowReadable(2));
        QVERIFY(list->rowReadFailure().contains("替换"));
        editRow(w, 0, "tPicName", "改过");
        click(w, "cmdSaveLvFigure");
        QCOMPARE(c.messages.count(), 1);
        QVERIFY2(c.messages.last().text.contains("已被另一个文件替换"), qPrintable(c.messages.last().text));
        QCOMPARE(marks(list), QStringLiteral("1* 2 3"));
        QCOMPARE(figureField(c.root, "B001", "tm"), QStringLiteral("图 B001"));

        // Reloaded (dropping the edit), the list is the new file's and saves there.
        c.messages.answerNextWith(QMessageBox::Discard);
        clickOption(w, "Opt2");
        clickOption(w, "Opt1");
        QCOMPARE(list->cell(2, 5), QStringLiteral("0.1"));
        editRow(w, 0, "tPicName", "改过");
        click(w, "cmdSaveLvFigure");
        QCOMPARE(c.messages.count(), 2);
        QCOMPARE(figureField(c.root, "B001", "tm"), QStringLiteral("改过"));
    }

    // The point editor of a figure deleted, and the label editor of a figure
    // renumbered, in the catalogue window (or by another program) since
    // they opened: nothing is written under the old number.
    void editorsOfAFigureGone()
    {
        CatalogueWindow c({cartesianFigure("B001", "BP001"), cartesianFigure("B002", "BP002")});
        c.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 1, 2, 1)");
        c.root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B002', 1, 1, 2, '甲')");
        fMain &w = c.open();
        click(w, "CommandButton1");
        fPicData *points = SingleWindow<fPicData>::instance();
        clickRow(w, 1);
        click(w, "CommandButton2");
        fPicLbl *labels = SingleWindow<fPicLbl>::instance();
        QVERIFY(points && labels);

        clickRow(w, 0);
        click(w, "CmdDelete"); // B001: ★, then saved
        QCOMPARE(marks(figureList(w)), QStringLiteral("1★ 2"));
        click(w, "cmdSaveLvFigure");
        c.root.exec("UPDATE picMain SET th = 'B009' WHERE th = 'B002'");
        QCOMPARE(c.messages.count(), 0);

        QVERIFY(showActive(*points));
        clickRow(control<ListView>(*points, "LvFigure"), 0);
        typeAndLeave(*points, "tTxtBx3", "5", "tTxtBx0");
        click(*points, "cmdSave");
        QCOMPARE(c.messages.count(), 1);
        QVERIFY2(c.messages.last().text.contains("图版 B001 已被删除或改号"), qPrintable(c.messages.last().text));
        QCOMPARE(marks(control<ListView>(*points, "LvFigure")), QStringLiteral("1*"));
        QCOMPARE(c.root.scalar("SELECT count(*) FROM pData").toInt(), 0);

        QVERIFY(showActive(*labels));
        clickRow(control<ListView>(*labels, "LvFigure"), 0);
        typeAndLeave(*labels, "tTxtBx1", "5", "Command1");
        click(*labels, "cmdSave");
        QCOMPARE(c.messages.count(), 2);
        QVERIFY(c.messages.last().text.contains("图版 B002 已被删除或改号"));
        QCOMPARE(c.root.scalar("SELECT X FROM picLable WHERE th = 'B002'").toDouble(), 1.0);
    }

    // The editors merge and ask as the catalogue does: their points, labels and groups.
    void editorsWriteOnlyTheirEdits()
    {
        FigureEditorKit<fPicData> p;
        p.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 1, 2, 1),"
                    " ('B001', 2, 1, 0, 3, 4, 1)");
        p.open("B001");
        p.root.exec("UPDATE pData SET X = 10, L = 3 WHERE ID = 1");
        p.root.exec("UPDATE pData SET Y = 40 WHERE ID = 2");
        p.edit(0, "tTxtBx4", "20", "tTxtBx0");
        p.edit(1, "tTxtBx4", "41", "tTxtBx0");
        p.messages.answerNextWith(QMessageBox::Save);
        click(*p.window, "cmdSave");
        QCOMPARE(p.messages.count(), 1);
        QVERIFY(p.messages.last().text.contains("点 2 已被另一个程序修改"));
        QCOMPARE(p.records("SELECT ID, X, Y, L FROM pData ORDER BY ID"), QStringLiteral("1:10,20,3 2:3,41,1"));

        FigureEditorKit<fPicLbl> l;
        l.root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', 1, 1, 2, '甲')");
        l.open("B001");
        l.root.exec("UPDATE picLable SET Lbl = '他们的' WHERE ID = 1");
        l.edit(0, "tTxtBx3", "我们的", "Command1");
        l.messages.answerNextWith(QMessageBox::Discard);
        click(*l.window, "cmdSave");
        QCOMPARE(l.messages.count(), 1);
        QVERIFY(l.messages.last().text.contains("标签 1 已被另一个程序修改"));
        QCOMPARE(marks(l.list()), QStringLiteral("1"));
        QCOMPARE(shown(*l.window, "tTxtBx3"), QStringLiteral("他们的")); // the fields show the row read again
        QCOMPARE(l.records("SELECT ID, Lbl FROM picLable"), QStringLiteral("1:他们的"));
        delete SingleWindow<fPicLbl>::instance();

        FigureEditorKit<fGroup> g;
        g.listName = "LvGroup";
        g.root.exec("INSERT INTO picType (grp, grpName) VALUES (1, '火山岩'), (2, '深成岩')");
        g.open(QString());
        g.root.exec("UPDATE picType SET grpName = '他们的' WHERE grp = 2");
        g.edit(0, "TextBox1", "一组", "cmdAddGroup");
        g.edit(1, "TextBox1", "二组", "cmdAddGroup");
        g.messages.answerNextWith(QMessageBox::Cancel);
        click(*g.window, "cmdGrpUpdata");
        QCOMPARE(g.messages.count(), 1);
        QVERIFY(g.messages.last().text.contains("分组 2 已被另一个程序修改"));
        QCOMPARE(marks(g.list()), QStringLiteral("1 2*"));
        QCOMPARE(g.records("SELECT grp, grpName FROM picType"), QStringLiteral("1:一组 2:他们的"));
    }
};

QTEST_MAIN(OtherProgramTest)
#include "tst_other_program.moc"
