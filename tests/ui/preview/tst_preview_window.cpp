// The preview window: opened from the editors and the catalogue window, it
// draws the rows as they stand in an open editor of its figure, unsaved edits
// included, and the stored records once no editor holds them; and saves its
// drawing as the figure's thumbnail.
#include "app/HostCatalogue.h"
#include "figure/FigurePainter.h"
#include "platform/image/GifWriter.h"
#include "platform/listview/ListView.h"
#include "tests/support/AccessFixture.h"
#include "tests/support/FigureEditorKit.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/GifFile.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/common/SingleWindow.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"
#include "ui/common/PreviewRows.h"
#include "ui/preview/FigureCanvas.h"
#include "ui/preview/fPreview.h"

#include <QDir>
#include <QFile>
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

// The catalogue's picture double-clicked on the figure of `row`: its preview.
fPreview &previewOfRow(fMain &catalogue, int row)
{
    clickRow(catalogue, row);
    QTest::mouseDClick(control(catalogue, "Image1"), Qt::LeftButton);
    if (!preview() || !showActive(*preview()))
        qFatal("no preview");
    return *preview();
}

void pressCtrlS(QWidget &window)
{
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeGif(const QString &path, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    if (const QString failure = GifWriter::write(image, path); !failure.isEmpty())
        qFatal("%s", qPrintable(failure));
}

// Share of pixels where the thumbnail differs from the preview's drawing painted at its size.
double differingShare(const QImage &thumbnail)
{
    const QImage painted = FigurePainter(preview()->canvas().drawing(), thumbnail.size()).paint();
    int differing = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            differing += (painted.pixel(x, y) | 0xff000000u) != (thumbnail.pixel(x, y) | 0xff000000u);
    return double(differing) / (painted.width() * painted.height());
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

    // Saves in the other windows: the preview draws what is stored now, under the figure's number now.
    void followsSavesOfItsFigure()
    {
        CatalogueWindow w({cartesianFigure("B001", "BP001"), cartesianFigure("B002", "BP002")});
        w.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 10, 100, 1), "
                    "('B001', 2, 1, 0, 20, 200, 1)");
        fMain &catalogue = w.open();
        previewOfRow(catalogue, 0);
        QVERIFY(showActive(catalogue));
        editRow(catalogue, 0, "tTh", "B020");
        click(catalogue, "cmdSaveLvFigure");
        QTRY_COMPARE(preview()->windowTitle(), QStringLiteral("图版预览B020"));
        QCOMPARE(xs(), (QList<double>{10, 20}));

        // A point moved and saved as the editor goes on to another figure.
        click(catalogue, "CommandButton1");
        fPicData *points = SingleWindow<fPicData>::instance();
        QVERIFY(points && showActive(*points));
        clickRow(control<ListView>(*points, "LvFigure"), 1);
        typeAndLeave(*points, "tTxtBx3", "50", "tTxtBx4");
        QTRY_COMPARE(xs(), (QList<double>{10, 50}));
        w.messages.answerNextWith(QMessageBox::Save);
        QVERIFY(showActive(catalogue));
        clickRow(catalogue, 1);
        click(catalogue, "CommandButton1");
        QCOMPARE(points->figureNumber(), QStringLiteral("B002"));
        QTRY_COMPARE(xs(), (QList<double>{10, 50}));
        QCOMPARE(preview()->figureNumber(), QStringLiteral("B020"));

        // A save that changes an axis.
        editRow(catalogue, 0, "tX2", "200");
        click(catalogue, "cmdSaveLvFigure");
        QTRY_COMPARE(preview()->canvas().drawing().x.maximum, 200.0);

        // Deleted: said instead of drawn.
        clickRow(catalogue, 0);
        click(catalogue, "CmdDelete");
        click(catalogue, "cmdSaveLvFigure");
        QTRY_COMPARE(preview()->canvas().message(), QStringLiteral("图版 B020 已从图版库中删除。"));
        QVERIFY(preview()->canvas().drawing().points.empty());
        QCOMPARE(w.messages.count(), 1); // the question alone
    }

    void savesTheDrawingAsTheThumbnailAtTheFolderSize()
    {
        CatalogueWindow w({cartesianFigure("B001", "BP001"), cartesianFigure("B002", "BP002")});
        w.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 1, 10, 1), "
                    "('B001', 2, 1, 0, 50, 500, 1)");
        fMain &catalogue = w.open();
        QVERIFY(control<QLabel>(catalogue, "Image1")->pixmap().isNull());
        fPreview &window = previewOfRow(catalogue, 0);
        pressCtrlS(window);
        QCOMPARE(w.messages.last().text, QStringLiteral("缩略图已保存为 BP001.gif（240×180 像素）。"));
        const GifFile first = readGif(w.root.thumbnailDir() + "/BP001.gif");
        QCOMPARE(first.error, QString());
        QCOMPARE(first.signature, QByteArray("GIF89a"));
        QCOMPARE(first.image.size(), QSize(240, 180));
        QVERIFY(differingShare(first.image) < 0.05);
        // The catalogue shows it at once.
        QCOMPARE(control<QLabel>(catalogue, "Image1")->pixmap().size(), QSize(240, 180));

        // Most of the folder's pictures are 300 x 200 now: the next one follows them.
        writeGif(w.root.thumbnailDir() + "/A.gif", {300, 200});
        writeGif(w.root.thumbnailDir() + "/B.gif", {300, 200});
        click(previewOfRow(catalogue, 1), "cmdSaveThumbnail");
        QCOMPARE(readGif(w.root.thumbnailDir() + "/BP002.gif").image.size(), QSize(300, 200));

        // A figure the catalogue does not hold has no thumbnail name.
        showFigurePreview("B009");
        QVERIFY(showActive(*preview()));
        pressCtrlS(*preview());
        QVERIFY2(w.messages.last().text.contains("不在图版库中"), qPrintable(w.messages.last().text));
        QVERIFY(!QFile::exists(w.root.thumbnailDir() + "/.gif"));
    }

    void replacesAThumbnailOnlyWhenTold()
    {
        // Two figures share the picture, stored under another letter case.
        CatalogueWindow w({cartesianFigure("B001", "BP001"), cartesianFigure("B003", "bp001")});
        const QString path = w.root.thumbnailDir() + "/BP001.GIF";
        writeGif(path, {240, 180});
        const QByteArray old = contents(path);
        fMain &catalogue = w.open();
        fPreview &window = previewOfRow(catalogue, 0);
        w.messages.clear();

        w.messages.answerNextWith(QMessageBox::No);
        pressCtrlS(window);
        QCOMPARE(w.messages.count(), 1);
        QCOMPARE(w.messages.last().text,
                 QStringLiteral("缩略图 BP001.GIF 已经存在，它是图版 B001、B003 的缩略图。\n要用现在的图替换它吗？"));
        QCOMPARE(w.messages.last().buttonTexts.value(QMessageBox::Yes), QStringLiteral("替换"));
        QCOMPARE(contents(path), old);
        pressCtrlS(window); // closed with Escape
        QCOMPARE(contents(path), old);

        // A write that fails: the old picture stays, and the cause is told.
        w.messages.answerNextWith(QMessageBox::Yes);
        {
            const FileSizeLimit limit(256);
            pressCtrlS(window);
        }
        QCOMPARE(contents(path), old);
        QVERIFY2(w.messages.last().text.contains("BP001.GIF") && w.messages.last().text.contains("too large"),
                 qPrintable(w.messages.last().text));
        QCOMPARE(QDir(w.root.thumbnailDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"BP001.GIF"});

        w.messages.answerNextWith(QMessageBox::Yes);
        pressCtrlS(window);
        QCOMPARE(QDir(w.root.thumbnailDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"BP001.GIF"});
        QCOMPARE(readGif(path).signature, QByteArray("GIF89a"));
    }

    void theHostsAccessCatalogueRefusesIt()
    {
        CatalogueWindow w;
        placeHostRoot(w.root.root());
        const QStringList before = QDir(w.root.thumbnailDir()).entryList(QDir::Files);
        const QByteArray tas = fileChecksum(w.root.thumbnailDir() + "/TAS.gif");
        fMain &catalogue = w.open();
        pressCtrlS(previewOfRow(catalogue, 0));
        QCOMPARE(w.messages.last().text, HostCatalogue::saveRefusal());
        QCOMPARE(QDir(w.root.thumbnailDir()).entryList(QDir::Files), before);
        QCOMPARE(fileChecksum(w.root.thumbnailDir() + "/TAS.gif"), tas);
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "tst_preview_window.moc"
