// The figure list's commands: a right-click that the panel's question may
// refuse, Del on the selected rows, undo of list changes, and the panel's
// tab order.
#include "tests/ui/catalogue/CatalogueTestKit.h"

#include "platform/listview/ListView.h"

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
