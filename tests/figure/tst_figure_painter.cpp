// The figure painter on the demo diagrams: what is drawn lands on the pixels
// its coordinates map to, at every size.
#include "figure/FigurePainter.h"
#include "tests/support/FigureImage.h"
#include "tools/DemoDiagrams.h"
#include "tools/SyntheticCatalogue.h"

#include <QPainter>
#include <QTest>

#include <cmath>

namespace {

const QSize kSize(640, 540);

DiagramTemplate demoFigure(const QString &number)
{
    for (const DiagramTemplate &figure : DemoDiagrams::all()) {
        if (figure.number == number)
            return figure;
    }
    qFatal("no demo figure %s", qPrintable(number));
}

} // namespace

class FigurePainterTest : public QObject
{
    Q_OBJECT

private slots:
    void demoLinesAndLabelsLandOnTheirCoordinates_data()
    {
        QTest::addColumn<QString>("figure");
        QTest::newRow("TAS") << "B001";
        QTest::newRow("Zr/TiO2-Nb/Y, log axes") << "B003";
        QTest::newRow("MALI, curves") << "B009";
        QTest::newRow("AFM, triangular curve") << "T001";
    }
    void demoLinesAndLabelsLandOnTheirCoordinates()
    {
        QFETCH(QString, figure);
        const DiagramTemplate diagram = demoFigure(figure);
        const FigurePainter painter(diagram, kSize);
        const QImage image = painter.paint();
        int joined = 0;
        for (const FigurePoint &point : diagram.points) {
            if (point.line == LineType::None)
                continue;
            ++joined;
            const QPointF at = painter.toPixel(point.x, point.y);
            QVERIFY2(near(image, at, isLine), qPrintable(QString("no line at (%1, %2)").arg(point.x).arg(point.y)));
        }
        QVERIFY(joined > 3);
        for (const FigureLabel &label : diagram.labels) {
            const QRectF box = painter.labelBox(label);
            QVERIFY(QLineF(box.center(), painter.toPixel(label.x, label.y)).length() < 1);
            QVERIFY2(inkedIn(image, box) > 10, qPrintable(label.text));
        }
    }

    void keptLabelTextsFollowEditsAndSizes()
    {
        // Texts kept laid out between paints draw what a fresh paint draws,
        // after a label's text changed and at a size with another type size.
        DiagramTemplate figure = demoFigure("B001");
        LabelTexts texts;
        const QImage before = FigurePainter(figure, kSize, &texts).paint();
        QCOMPARE(before, FigurePainter(figure, kSize).paint());
        figure.labels[0].text = QStringLiteral("改过的\n两行");
        figure.labels[1].text += QStringLiteral("岩");
        const QImage edited = FigurePainter(figure, kSize, &texts).paint();
        QVERIFY(edited != before);
        QCOMPARE(edited, FigurePainter(figure, kSize).paint());
        const QSize low(640, 420); // a smaller type
        QCOMPARE(FigurePainter(figure, low, &texts).paint(), FigurePainter(figure, low).paint());
    }

    void keptLinePixelsFollowEdits()
    {
        // Past the smoothing limit each line's pixels are kept: a moved point,
        // a curve point, a line that is gone, another size and a painter
        // offset into a window all draw what a fresh paint draws.
        SyntheticOptions options;
        options.figures = 1;
        options.points = 3000;
        FigureDrawing figure = SyntheticCatalogue(options).figure(0);
        LabelTexts texts;
        LinePixels lines;
        const auto keptPaint = [&](QSize size) { return FigurePainter(figure, size, &texts, &lines).paint(); };
        const QImage before = keptPaint(kSize);
        QCOMPARE(before, FigurePainter(figure, kSize).paint());
        figure.points[100].x += 7; // a straight line's point
        QVERIFY(figure.points[1400].curve);
        figure.points[1400].y -= 9;
        const QImage edited = keptPaint(kSize);
        QVERIFY(edited != before);
        QCOMPARE(edited, FigurePainter(figure, kSize).paint());
        figure.points.removeIf([](const FigurePoint &point) { return point.series == 1; });
        QCOMPARE(keptPaint(kSize), FigurePainter(figure, kSize).paint());
        const QSize other(800, 650);
        QCOMPARE(keptPaint(other), FigurePainter(figure, other).paint());

        QImage window(other + QSize(12, 12), QImage::Format_RGB32);
        window.fill(Qt::white);
        QPainter p(&window);
        p.translate(6, 6);
        FigurePainter(figure, other, &texts, &lines).paint(p);
        p.end();
        QCOMPARE(window.copy(QRect(QPoint(6, 6), other)), FigurePainter(figure, other).paint());
    }

    void axisTitlesStayWholeAtEverySize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("smallest window") << QSize(640, 480);
        QTest::newRow("where the type stops growing") << QSize(800, 650);
        QTest::newRow("tall") << QSize(900, 1000);
        QTest::newRow("full screen") << QSize(1908, 1150);
    }
    void axisTitlesStayWholeAtEverySize()
    {
        // The titles lie below and above the plot, a fraction of its height away.
        QFETCH(QSize, size);
        const DiagramTemplate diagram = demoFigure("B001");
        const FigurePainter painter(diagram, size);
        const QImage image = painter.paint();
        int titles = 0;
        for (const FigureLabel &label : diagram.labels) {
            if (!label.text.contains("(wt%)"))
                continue;
            ++titles;
            const QRectF box = painter.labelBox(label);
            QVERIFY2(QRectF(image.rect()).contains(box), qPrintable(label.text));
            QVERIFY2(inkedIn(image, box) > 10, qPrintable(label.text));
        }
        QCOMPARE(titles, 2);
    }

    void axesPlaceValuesOnTheirScales()
    {
        // Log decades are evenly spaced; a reversed axis runs right to left.
        FigureDrawing figure;
        figure.x = {1, 1000, 1, 1, 1, true, -1};
        figure.y = {100, 0, 5, 10, 100, false, 0};
        const FigurePainter painter(figure, kSize);
        const QRectF plot = painter.plotArea();
        QCOMPARE(painter.toPixel(10, 0).x(), plot.left() + plot.width() / 3);
        QCOMPARE(painter.toPixel(100, 0).x(), plot.left() + plot.width() * 2 / 3);
        QCOMPARE(painter.toPixel(1, 100).y(), plot.bottom());
        QCOMPARE(painter.toPixel(1, 0).y(), plot.top());
        // The y axis crosses at x = 1 (the left edge); its ticks are drawn there.
        const QImage image = painter.paint();
        QVERIFY(near(image, QPointF(plot.left() + 2, painter.toPixel(1, 50).y()), isInk, 0));
    }
};

QTEST_MAIN(FigurePainterTest)
#include "tst_figure_painter.moc"
