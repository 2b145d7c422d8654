// The figure list's commands: a right-click that the panel's question may
// refuse, Del on the selected rows, undo of list changes, and the panel's
// tab order.
#include "tests/ui/catalogue/CatalogueTestKit.h"

#include "platform/listview/ListView.h"
#include "tests/support/FigureEditorKit.h"

#include <QFile>
#include <QLabel>

namespace {

// The smallest valid GIF: one pixel.
const QByteArray kGif = QByteArray::fromHex("47494638396101000100800000000000ffffff21f90401000000002c000000000100010000020144003b");

// A figure's points, labels and record (less its number, name and thumbnail), comparable across figures.
QString contentsOf(const TestInstallRoot &root, const QString &number)
{
    const QString th = quotedFigure(number);
    return recordsText(root, "SELECT ID, Series, curve, X, Y, L FROM pData WHERE th = " + th + " ORDER BY ID") + " | "
           + recordsText(root, "SELECT ID, X, Y, Lbl FROM picLable WHERE th = " + th + " ORDER BY ID") + " | "
           + recordsText(root, "SELECT grp, LB, X1, X2, X7, Y2, specialCase, Comment, Vector FROM picMain WHERE th = " + th);
}

struct FigureWithRows : CatalogueWindow
{
    FigureWithRows() : CatalogueWindow({cartesianFigure("B001", "BP001")})
    {
        for (int id = 1; id <= 2; ++id)
            root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', ?, 1, 0, ?, 2.5, 1)", {id, id * 10});
        root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', 1, 40, 3, '碱性')");
        QFile gif(root.thumbnailDir() + "/BP001.gif");
        if (!gif.open(QIODevice::WriteOnly) || gif.write(kGif) != kGif.size())
            qFatal("no thumbnail written");
    }
};

} // namespace

class FigureListCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeSubEditors(); }

    void rightClickActsAsAClickFirst()
    {
        CatalogueWindow c({cartesianFigure("B001", "BP001"), cartesianFigure("B002", "BP002")});
        fMain &w = c.open();
        clickRow(w, 0);
        type(w, "tPicName", "改过的图名");
        c.messages.answerNextWith(QMessageBox::Cancel);
        QCOMPARE(menuAt(figureList(w), 1), QStringList()); // 取消: no menu, nothing moved
        QCOMPARE(figureList(w)->selectedRow(), 0);
        QCOMPARE(shown(w, "tPicName"), QStringLiteral("改过的图名"));

        c.messages.answerNextWith(QMessageBox::Save); // 刷新列表, then the menu for row 1
        QCOMPARE(menuAt(figureList(w), 1), (QStringList{"撤销:on", "重做:off", "复制:on", "删除:on", "复制图版:on"}));
        QCOMPARE(shown(w, "tTh"), QStringLiteral("B002"));
        QCOMPARE(marks(figureList(w)), QStringLiteral("1* 2"));
    }

    void delMarksTheSelectedRowsAndUndoTakesBackListChanges()
    {
        CatalogueWindow c({cartesianFigure("B001", "BP001"), cartesianFigure("B002", "BP002"),
                           cartesianFigure("B003", "BP003")});
        fMain &w = c.open();
        editRow(w, 2, "tPicName", "新图名");
        QCoreApplication::processEvents();
        clickRow(w, 0);
        shiftClickRow(figureList(w), 1);
        pressOnList(figureList(w), Qt::Key_Delete);
        QCOMPARE(marks(figureList(w)), QStringLiteral("1★ 2★ 3*"));
        pressOnList(figureList(w), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3*"));
        pressOnList(figureList(w), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3"));
        QCOMPARE(shown(w, "tPicName"), QStringLiteral("图 B003")); // the panel shows the row it took back
        // With panel edits pending the usual question comes first; 取消 undoes nothing.
        pressOnList(figureList(w), Qt::Key_Y, Qt::ControlModifier);
        type(w, "tComment", "未刷新");
        c.messages.answerNextWith(QMessageBox::Cancel);
        pressOnList(figureList(w), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3*"));
        QCOMPARE(shown(w, "tComment"), QStringLiteral("未刷新"));
    }

    void duplicateCopiesTheFigureWithItsSave()
    {
        FigureWithRows c;
        fMain &w = c.open();
        clickRow(w, 0);
        pressOnList(figureList(w), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(marks(figureList(w)), QStringLiteral("1 2#"));
        QCOMPARE(shown(w, "tTh"), QStringLiteral("B002"));
        QCOMPARE(shown(w, "tFigName"), QStringLiteral("BP002"));
        QCOMPARE(shown(w, "tPicName"), QStringLiteral("图 B001（副本）"));
        pressOnList(figureList(w), Qt::Key_D, Qt::ControlModifier); // a copy of the copy, saved with it
        pressOnList(figureList(w), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(marks(figureList(w)), QStringLiteral("1 2#"));
        pressOnList(figureList(w), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(shown(w, "tTh"), QStringLiteral("B003"));
        const QString source = contentsOf(c.root, "B001");
        click(w, "cmdSaveLvFigure");
        QCOMPARE(c.messages.count(), 0);
        QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3"));
        QVERIFY(!control<QLabel>(w, "Image1")->pixmap().isNull()); // the copied picture, shown at once
        QCOMPARE(contentsOf(c.root, "B001"), source);
        QCOMPARE(contentsOf(c.root, "B002"), source);
        QCOMPARE(contentsOf(c.root, "B003"), source);
        QCOMPARE(c.root.scalar("SELECT tm FROM picMain WHERE th = 'B003'").toString(), QStringLiteral("图 B001（副本）（副本）"));
        for (const char *copy : {"/BP002.gif", "/BP003.gif"}) {
            QFile gif(c.root.thumbnailDir() + copy);
            QVERIFY(gif.open(QIODevice::ReadOnly));
            QCOMPARE(gif.readAll(), kGif);
        }
        // Saved once: a later change of the copy copies nothing again.
        editRow(w, 1, "tPicName", "新图名");
        click(w, "cmdSaveLvFigure");
        QCOMPARE(contentsOf(c.root, "B002"), source);
    }

    void aRefusedCopyWritesNoneOfIt()
    {
        FigureWithRows c;
        c.root.exec("CREATE TRIGGER refuse BEFORE INSERT ON picLable WHEN NEW.th = 'B002' BEGIN SELECT RAISE(ABORT, '磁盘已满'); END");
        fMain &w = c.open();
        clickRow(w, 0);
        pressOnList(figureList(w), Qt::Key_D, Qt::ControlModifier);
        click(w, "cmdSaveLvFigure");
        QCOMPARE(c.messages.count(), 1);
        QCOMPARE(marks(figureList(w)), QStringLiteral("1 2#"));
        QCOMPARE(c.root.scalar("SELECT COUNT(*) FROM picMain WHERE th = 'B002'").toInt(), 0);
        QCOMPARE(c.root.scalar("SELECT COUNT(*) FROM pData WHERE th = 'B002'").toInt(), 0);
        QVERIFY(!QFile::exists(c.root.thumbnailDir() + "/BP002.gif"));
    }

    void tabRunsAlongThePanelRows()
    {
        CatalogueWindow c({cartesianFigure("B001", "BP001")});
        fMain &w = c.open();
        QStringList order;
        QWidget *at = control(w, "tTh");
        for (int i = 0; i < 500 && at && order.size() < 26; ++i, at = at->nextInFocusChain()) {
            if (at->focusPolicy() & Qt::TabFocus && !at->objectName().isEmpty() && !at->objectName().startsWith("qt_")
                && !order.contains(at->objectName()))
                order << at->objectName();
        }
        QCOMPARE(order.join(' '),
                 QStringLiteral("tTh cmdAddPic tPicName tFigName comGroup Command1 tSPCase tX1 tX2 tX3 tX4 tX5 CheckX6 "
                                "CombX7 tY1 tY2 tY3 tY4 tY5 CheckY6 CombY7 CheckBorder CheckVector CheckBitmap "
                                "tComment CommandButton1"));
    }
};

QTEST_MAIN(FigureListCommandsTest)
#include "tst_figure_list_commands.moc"
