// The preview window: opened from the editors and the catalogue window, it
// draws the rows as they stand in an open editor of its figure, unsaved edits
// included, and the stored records once no editor holds them.
#include "figure/FigurePainter.h"
#include "platform/listview/ListView.h"
#include "tests/support/FigureEditorKit.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/common/SingleWindow.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"
#include "ui/common/PreviewRows.h"
#include "ui/preview/FigureCanvas.h"
#include "ui/preview/fPreview.h"

#include <QLabel>
#include <QTest>

namespace {

fPreview *preview()
{
    return SingleWindow<fPreview>::instance();
}

QList<double> xs()
{
    QList<double> values;
    for (const FigurePoint &p : preview()->canvas().drawing().points)
        values << p.x;
    return values;
}

// Whether the canvas as shown has line ink where (x, y) maps.
bool lineShownAt(double x, double y)
{
    const FigureCanvas &canvas = preview()->canvas();
    const QImage image = const_cast<FigureCanvas &>(canvas).grab().toImage();
    const QPoint at = FigurePainter(canvas.drawing(), canvas.size()).toPixel(x, y).toPoint() * image.devicePixelRatio();
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (const QRgb c = image.pixel(at + QPoint(dx, dy)); qBlue(c) > qRed(c) + 40)
                return true;
    return false;
}

void pressF5(QWidget &window)
{
    QTest::keyClick(&window, Qt::Key_F5);
}

} // namespace

class PreviewWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        delete preview();
        delete SingleWindow<fPicData>::instance();
        delete SingleWindow<fPicLbl>::instance();
    }

    void followsThePointEditorBeforeASave()
    {
        FigureEditorKit<fPicData> p;
        p.root.insertFigure(cartesianFigure("B001", "BP001"));
        for (int id = 1; id <= 3; ++id)
            p.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', ?, 1, 0, ?, ?, 1)",
                        {id, id * 10, id * 100});
        fPicData &editor = p.open("B001");
        pressF5(editor);
        QVERIFY(preview());
        QCOMPARE(preview()->windowTitle(), QStringLiteral("图版预览B001"));
        QCOMPARE(xs(), (QList<double>{10, 20, 30}));

        // Leaving the field moves the point; nothing is written.
        QVERIFY(showActive(editor));
        p.edit(1, "tTxtBx3", "50", "tTxtBx0");
        QTRY_COMPARE(xs(), (QList<double>{10, 50, 30}));
        QTRY_VERIFY(lineShownAt(50, 200));
        QCOMPARE(p.root.scalar("SELECT X FROM pData WHERE ID = 2").toDouble(), 20.0);

        // F5 takes the field being edited along; a bad value is left out with a note.
        control(editor, "tTxtBx3")->setFocus(Qt::TabFocusReason);
        type(editor, "tTxtBx3", "-1");
        pressF5(editor);
        QTRY_COMPARE(xs(), (QList<double>{10, 30}));
        QCOMPARE(preview()->notes(), QStringList{"点 2 未画出：对数坐标上的值必须大于 0"});
        QVERIFY(control<QLabel>(*preview(), "lblNotes")->isVisible());

        // Closed unsaved, the editor's rows give way to the stored records.
        p.window.reset();
        QTRY_COMPARE(xs(), (QList<double>{10, 20, 30}));
        QVERIFY(preview()->notes().isEmpty());
    }

    void followsTheLabelEditorAndItsDeletions()
    {
        FigureEditorKit<fPicLbl> l;
        l.root.insertFigure(triangularFigure("T001", "TP001"));
        l.root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('T001', 1, 50, 40, '玄武岩'), ('T001', 2, 20, 10, '安山岩')");
        fPicLbl &editor = l.open("T001");
        pressF5(editor);
        QCOMPARE(preview()->canvas().drawing().labels.size(), 2);
        QVERIFY(preview()->canvas().drawing().triangular);
        QVERIFY(showActive(editor));
        clickRow(l.list(), 0);
        click(editor, "CmdDelete");
        QTRY_COMPARE(preview()->canvas().drawing().labels.size(), 1);
        QCOMPARE(preview()->canvas().drawing().labels[0].text, QStringLiteral("安山岩"));
    }

    void editorsHoldTheCellsThePreviewReadsStoredRowsIn()
    {
        // An editor's rows and the stored ones must read alike, or the drawing
        // would change when the editor closes.
        QCOMPARE(fPicData::cellFields(), PreviewRows::cellFields(PreviewRows::Kind::Points));
        QCOMPARE(fPicLbl::cellFields(), PreviewRows::cellFields(PreviewRows::Kind::Labels));
    }

    void thumbnailDoubleClickPreviewsTheFigureShown()
    {
        CatalogueWindow w({cartesianFigure("B001", "BP001"), cartesianFigure("B002", "BP002")});
        fMain &window = w.open();
        QVERIFY(showActive(window));
        clickRow(window, 1);
        QTest::mouseDClick(control(window, "Image1"), Qt::LeftButton);
        QVERIFY(preview());
        QCOMPARE(preview()->figureNumber(), QStringLiteral("B002"));
        QVERIFY(preview()->notes().isEmpty());
        // Asked again for another figure, the one window switches to it.
        clickRow(window, 0);
        QTest::mouseDClick(control(window, "Image1"), Qt::LeftButton);
        QCOMPARE(preview()->figureNumber(), QStringLiteral("B001"));
        QCOMPARE(QApplication::topLevelWidgets().count(preview()), 1);
        // Escape closes it.
        QVERIFY(showActive(*preview()));
        QTest::keyClick(preview(), Qt::Key_Escape);
        QTRY_VERIFY(!preview());
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "tst_preview_window.moc"
