// The four windows on a keyboard and as laid out: Tab leaves every list in
// the designed order, columns keep their designed widths however narrow,
// typed combo text stays as typed, Ctrl+S saves what is pending, the label
// list keeps its numbers in view, a window too large for its screen scrolls,
// and a failed save's box closes on Return.
#include "app/mQuillar.h"
#include "platform/geometry/Twips.h"
#include "tests/support/FigureEditorKit.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/catalogue/FigureColumns.h"
#include "ui/common/ScreenFit.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

namespace {

// The named control holding the focus (an editable combo box's own line edit counts as the combo box).
QString focusedControl()
{
    QWidget *w = QApplication::focusWidget();
    while (w && (w->objectName().isEmpty() || w->objectName().startsWith("qt_")))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

// The controls the focus visits from `start` on, one Tab (or Shift+Tab) at a time.
QStringList tabWalk(const QWidget &window, const char *start, int steps, Qt::KeyboardModifiers modifiers = {})
{
    control(window, start)->setFocus(Qt::OtherFocusReason);
    QStringList visited{focusedControl()};
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        visited << focusedControl();
    }
    return visited;
}

void pressCtrlS()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
}

QList<int> columnWidths(const ListView *list)
{
    QList<int> widths;
    for (int c = 0; c < list->model()->columnCount(); ++c)
        widths << list->columnWidth(c);
    return widths;
}

QList<int> pixels(const QList<int> &twips)
{
    QList<int> out;
    for (int t : twips)
        out << twipsToPixels(t);
    return out;
}

struct PointWindow : FigureEditorKit<fPicData>
{
    PointWindow() { root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 'False', 1, 2, 1)"); }
};

struct LabelWindow : FigureEditorKit<fPicLbl>
{
    explicit LabelWindow(const QString &text = "A")
    {
        root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', 1, 10, 20, ?)", {text});
        root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', 2, 30, 40, 'B')");
    }
};

struct GroupWindow : FigureEditorKit<fGroup>
{
    GroupWindow()
    {
        listName = "LvGroup";
        root.exec("INSERT INTO picType (grp, grpName) VALUES (1, '一'), (2, '二')");
    }
};

} // namespace

class KeyboardAndLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void tabLeavesEveryListInTheDesignedOrder()
    {
        LabelWindow labels;
        fPicLbl &l = labels.open("B001");
        const QStringList labelOrder{"LvFigure", "tTxtBx2", "tTxtBx1", "tTxtBx3",
                                     "Command1", "CmdDelete", "cmdSave", "cmdCancel"};
        QCOMPARE(tabWalk(l, "LvFigure", 7), labelOrder);
        QCOMPARE(tabWalk(l, "tTxtBx2", 1, Qt::ShiftModifier), (QStringList{"tTxtBx2", "LvFigure"}));
        QCOMPARE(labels.list()->selectedRow(), 0); // walking through the list picked no other row
        labels.window.reset();

        PointWindow points;
        fPicData &p = points.open("B001");
        QCOMPARE(tabWalk(p, "LvFigure", 9), (QStringList{"LvFigure", "cmdSave", "cmdCancel", "cmdAddPoint", "tTxtBx0",
                                                          "tTxtBx1", "tTxtBx3", "tTxtBx4", "tTxtBx5", "tTxtBx2"}));
        points.window.reset();

        GroupWindow groups;
        fGroup &g = groups.open(QString());
        QCOMPARE(tabWalk(g, "LvGroup", 4),
                 (QStringList{"LvGroup", "TextBox1", "cmdAddGroup", "cmdDeleteGroup", "cmdGrpUpdata"}));
        QCOMPARE(tabWalk(g, "TextBox1", 1, Qt::ShiftModifier), (QStringList{"TextBox1", "LvGroup"}));
        groups.window.reset();

        // The catalogue has no designed order; Tab and Shift+Tab still leave its list.
        CatalogueWindow c;
        addCartesianFigures(c.root, 3);
        fMain &w = c.open();
        QVERIFY(showActive(w));
        QVERIFY(tabWalk(w, "LvFigure", 1).last() != "LvFigure");
        QVERIFY(tabWalk(w, "LvFigure", 1, Qt::ShiftModifier).last() != "LvFigure");
        QCOMPARE(figureList(w)->selectedRow(), 0);
        // The arrow keys move between rows and show the row picked.
        figureList(w)->setFocus();
        QTest::keyClick(figureList(w), Qt::Key_Down);
        QCOMPARE(shown(w, "tTh"), QStringLiteral("B002"));
    }

    void aWindowLargerThanTheScreenScrolls()
    {
        LabelWindow labels;
        fPicLbl &l = labels.open("B001");
        const QSize designed = l.size();
        fitWithin(l, QSize(4000, 3000));
        QCOMPARE(l.size(), designed);
        QVERIFY(!l.findChild<QScrollArea *>());

        fitWithin(l, QSize(300, 300));
        QVERIFY(l.width() <= 300 && l.height() <= 300);
        auto *scroller = l.findChild<QScrollArea *>();
        QVERIFY(scroller && scroller->widget()->size() == designed);
        // Everything is still there, in its place and in the designed tab order.
        QCOMPARE(control(l, "cmdCancel")->geometry(), twipsRect(5280, 5400, 800, 375));
        QCOMPARE(tabWalk(l, "LvFigure", 7), (QStringList{"LvFigure", "tTxtBx2", "tTxtBx1", "tTxtBx3", "Command1",
                                                          "CmdDelete", "cmdSave", "cmdCancel"}));
    }

    void columnsHaveTheirDesignedWidths()
    {
        CatalogueWindow c;
        fMain &w = c.open();
        QList<int> catalogue;
        for (const auto &column : FigureColumns::kColumns)
            catalogue << column.second;
        QCOMPARE(columnWidths(figureList(w)), pixels(catalogue));

        PointWindow points;
        points.open("B001");
        QCOMPARE(columnWidths(points.list()), pixels({540, 540, 960, 800, 800, 540}));
        LabelWindow labels;
        labels.open("B001");
        QCOMPARE(columnWidths(labels.list()), pixels({540, 760, 760, 1900}));
    }

    void comboBoxesKeepWhatIsTyped()
    {
        PointWindow points;
        fPicData &p = points.open("B001");
        auto *curve = control<QComboBox>(p, "tTxtBx2");
        curve->setFocus(Qt::TabFocusReason);
        curve->lineEdit()->selectAll();
        QTest::keyClicks(curve, "Tr");
        QTest::keyClick(curve, Qt::Key_Return);
        QTest::keyClick(curve, Qt::Key_Tab);
        QCOMPARE(curve->currentText(), QStringLiteral("Tr"));
        QCOMPARE(curve->count(), 2); // Return added no entry
        QCOMPARE(points.list()->cell(0, 2), QStringLiteral("Tr"));
    }

    void ctrlSPressesSaveWithThePendingEdit()
    {
        // The edit is still in its field: the key moves the focus as a click on 保 存 would.
        LabelWindow labels;
        fPicLbl &l = labels.open("B001");
        clickRow(labels.list(), 0);
        control(l, "tTxtBx1")->setFocus(Qt::TabFocusReason);
        type(l, "tTxtBx1", "77");
        pressCtrlS();
        QCOMPARE(labels.records("SELECT ID, X FROM picLable WHERE ID = 1"), QStringLiteral("1:77"));
        QCOMPARE(marks(labels.list()), QStringLiteral("1 2"));

        PointWindow points;
        fPicData &p = points.open("B001");
        control(p, "tTxtBx4")->setFocus(Qt::TabFocusReason);
        type(p, "tTxtBx4", "9.5");
        pressCtrlS();
        QCOMPARE(points.records("SELECT ID, Y FROM pData"), QStringLiteral("1:9.5"));

        GroupWindow groups;
        fGroup &g = groups.open(QString());
        clickRow(groups.list(), 1);
        control(g, "TextBox1")->setFocus(Qt::TabFocusReason);
        type(g, "TextBox1", "双");
        pressCtrlS();
        QCOMPARE(groups.records("SELECT grp, grpName FROM picType ORDER BY grp"), QStringLiteral("1:一 2:双"));

        CatalogueWindow c;
        addCartesianFigures(c.root, 2);
        fMain &w = c.open();
        QVERIFY(showActive(w));
        editRow(w, 1, "tPicName", "改名");
        pressCtrlS();
        QCOMPARE(c.root.scalar("SELECT tm FROM picMain WHERE th = 'B002'").toString(), QStringLiteral("改名"));
        QCOMPARE(c.messages.count() + labels.messages.count() + points.messages.count(), 0);
    }

    void labelListKeepsItsFirstColumnInView()
    {
        // Enough labels for a vertical scroll bar, which leaves the columns a little too wide.
        LabelWindow labels(QString(300, QChar(0x5b57)));
        for (int id = 3; id <= 60; ++id)
            labels.root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', ?, 1, 2, 'C')", {id});
        fPicLbl &l = labels.open("B001");
        ListView *list = labels.list();
        QVERIFY(list->horizontalScrollBar()->maximum() > 0);
        const QModelIndex textCell = list->model()->index(0, 3);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(textCell).center());
        list->scrollTo(textCell); // what the view does on its own a moment after a click
        QCOMPARE(list->selectedRow(), 0);
        QCOMPARE(list->horizontalScrollBar()->value(), 0);
        typeAndLeave(l, "tTxtBx2", "21", "Command1");
        click(l, "cmdSave");
        QCOMPARE(list->horizontalScrollBar()->value(), 0);
    }

    void failedSaveBoxClosesOnReturnAndShowsItsTitle()
    {
        MessageBox::setTitle(QStringLiteral("Quillar 图版管理"));
        QWidget parent;
        QVERIFY(showActive(parent));
        bool titleFits = false, okIsDefault = false;
        QTimer::singleShot(0, [&titleFits, &okIsDefault] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            titleFits = box->width() > QFontMetrics(box->font()).horizontalAdvance(box->windowTitle()) + 100;
            auto *ok = qobject_cast<QPushButton *>(box->button(QMessageBox::Ok));
            okIsDefault = ok && box->defaultButton() == ok && box->focusWidget() == static_cast<QWidget *>(ok);
            QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
            // Had Return only toggled the details, the box would still be open.
            QTimer::singleShot(500, box, [box] { box->done(QMessageBox::Cancel); });
        });
        MessageRequest request;
        request.text = QStringLiteral("不好意思，出错了！");
        request.detail = QStringLiteral("UPDATE picMain ...\nconstraint failed");
        QCOMPARE(MessageBox::show(&parent, request), QMessageBox::Ok);
        QVERIFY(titleFits);
        QVERIFY(okIsDefault);
    }
};

QTEST_MAIN(KeyboardAndLayoutTest)
#include "tst_keyboard_and_layout.moc"
