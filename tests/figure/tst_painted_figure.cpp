// A kept figure image repainted after edits: every paint must show what a
// fresh paint of the figure shows, whether only the changed parts were
// painted anew or the whole figure.
#include "figure/FigurePainter.h"
#include "figure/PaintedFigure.h"
#include "tools/SyntheticCatalogue.h"

#include <QTest>

#include <random>

namespace {

const QSize kSize(640, 540);

FigureDrawing busyFigure()
{
    SyntheticOptions options;
    options.figures = 1;
    options.points = 2500; // past the smoothing limit, so lines are kept
    options.labels = 400;
    return SyntheticCatalogue(options).figure(0);
}

} // namespace

class PaintedFigureTest : public QObject
{
    Q_OBJECT

private slots:
    void editsRepaintWhatAFreshPaintShows()
    {
        FigureDrawing figure = busyFigure();
        PaintedFigure painted;
        QCOMPARE(painted.paint(figure, kSize), FigurePainter(figure, kSize).paint());
        std::mt19937 random(7);
        const auto below = [&](int n) { return int(random() % unsigned(n)); };
        int partial = 0;
        for (int step = 0; step < 60; ++step) {
            FigurePoint &point = figure.points[below(int(figure.points.size()))];
            FigureLabel &label = figure.labels[below(int(figure.labels.size()))];
            QString what;
            switch (below(8)) {
            case 0: point.x += 0.5, what = "point nudged"; break;
            case 1: point.y = figure.y.minimum + (figure.y.maximum - figure.y.minimum) * below(100) / 100.0, what = "point moved"; break;
            case 2: point.line = LineType(below(4)), what = "line type"; break;
            case 3: label.x += 2, what = "label moved"; break;
            case 4: label.text = below(2) ? "新的名字" : "两行\n文字", what = "label text"; break;
            case 5: figure.labels.append({figure.x.minimum, figure.y.maximum, "角上"}), what = "label added"; break;
            case 6: figure.points.removeLast(), what = "point removed"; break;
            default: what = "nothing changed";
            }
            const QImage &shown = painted.paint(figure, kSize);
            QVERIFY2(shown == FigurePainter(figure, kSize).paint(), qPrintable(QString("step %1: %2").arg(step).arg(what)));
            partial = painted.partialPaints();
        }
        QCOMPARE(partial, 60); // none of these needs the whole figure again
    }

    void wholeChangesPaintTheWholeFigure()
    {
        // A new size, an axis, smoothed lines and a label count that changes
        // the type are painted whole; edits after them are partial again.
        FigureDrawing figure = busyFigure();
        PaintedFigure painted;
        const auto check = [&](QSize size, const char *what) {
            QVERIFY2(painted.paint(figure, size) == FigurePainter(figure, size).paint(), what);
        };
        check(kSize, "first paint");
        check(QSize(700, 500), "another size");
        QCOMPARE(painted.partialPaints(), 0);
        figure.x.maximum += 1;
        check(QSize(700, 500), "an axis");
        QCOMPARE(painted.partialPaints(), 0);
        figure.labels[3].y -= 1;
        check(QSize(700, 500), "a label after the axis");
        QCOMPARE(painted.partialPaints(), 1);

        const QList<FigurePoint> all = figure.points;
        figure.points.resize(1500); // smoothed, and the range the points span changes nothing: the axes are usable
        check(QSize(700, 500), "smoothed lines");
        QCOMPARE(painted.partialPaints(), 0);
        figure.points = all;
        check(QSize(700, 500), "kept lines again");
        figure.labels.resize(10); // ten labels or fewer take the larger type
        check(QSize(700, 500), "fewer labels");
        QCOMPARE(painted.partialPaints(), 0);

        // An axis that cannot place values spans what the points and labels
        // span: a point moved past that span moves everything.
        figure.x.maximum = figure.x.minimum;
        check(QSize(700, 500), "unusable axis");
        figure.points[0].x = figure.x.minimum - 1000;
        check(QSize(700, 500), "span widened");
        QCOMPARE(painted.partialPaints(), 0);
    }
};

QTEST_MAIN(PaintedFigureTest)
#include "tst_painted_figure.moc"
