// Figures read from rows as the editors hold them, bad values included: what
// cannot be drawn is left out with a note, and the rest still draws.
#include "figure/FigurePainter.h"
#include "tests/support/FigureImage.h"
#include "ui/common/RowEditing.h"
#include "ui/preview/FigureReading.h"

#include <QTest>

using Record = QHash<QString, QString>;

namespace {

const QSize kSize(640, 540);

ListRow row(const QString &number, const QStringList &cells, int tag = RowState::Unchanged)
{
    return ListRow{number, cells, tag, {}};
}

// A Cartesian record 0..100 on both axes, with `changes` applied.
QHash<QString, QString> record(const QHash<QString, QString> &changes = {})
{
    QHash<QString, QString> r{{"LB", "B"}, {"border", "True"}};
    for (const QChar axis : {QChar('X'), QChar('Y')}) {
        const QStringList values{"0", "100", "5", "10", "0", "False", "0"};
        for (int k = 1; k <= 7; ++k)
            r.insert(axis + QString::number(k), values[k - 1]);
    }
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        r.insert(it.key(), it.value());
    return r;
}

} // namespace

class FigureReadingTest : public QObject
{
    Q_OBJECT

private slots:
    void badValuesAreLeftOutWithANote_data()
    {
        QTest::addColumn<Record>("axes");
        QTest::addColumn<QStringList>("badPoint"); // Series, curve, X, Y, L of point 2
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("pointsDrawn");
        const Record plain = record();
        const Record logX = record({{"X1", "1"}, {"X6", "True"}});
        QTest::newRow("text in X") << plain << QStringList{"1", "False", "abc", "5", "1"} << "点 2 未画出：字段 X 需要数值" << 2;
        QTest::newRow("NULL Y") << plain << QStringList{"1", "False", "5", "", "1"} << "点 2 未画出：Y 为空" << 2;
        QTest::newRow("infinite X") << plain << QStringList{"1", "False", "inf", "5", "1"} << "点 2 未画出：字段 X 需要数值" << 2;
        QTest::newRow("text line number") << plain << QStringList{"一", "False", "5", "5", "1"} << "点 2 未画出：字段 Series" << 2;
        QTest::newRow("zero on a log axis") << logX << QStringList{"1", "False", "0", "5", "1"} << "点 2 未画出：对数坐标" << 2;
        QTest::newRow("negative on a log axis") << logX << QStringList{"1", "False", "-3", "5", "1"} << "点 2 未画出：对数坐标" << 2;
        QTest::newRow("line type 7") << plain << QStringList{"1", "False", "5", "5", "7"} << "点 2 不连线" << 3;
        QTest::newRow("curve flag text") << plain << QStringList{"1", "也许", "5", "5", "1"} << "点 2 按直线画" << 3;
        QTest::newRow("huge X") << plain << QStringList{"1", "False", "1E308", "5", "1"} << QString() << 3;
        QTest::newRow("minimum equals maximum") << record({{"Y2", "0"}}) << QStringList{"1", "False", "5", "5", "1"}
                                                << "Y 轴未画刻度：最小值等于最大值" << 3;
        QTest::newRow("minimum not a number") << record({{"X1", "零"}}) << QStringList{"1", "False", "5", "5", "1"}
                                              << "X 轴未画刻度：字段 X1 需要数值" << 3;
        QTest::newRow("log axis from zero") << record({{"Y6", "True"}}) << QStringList{"1", "False", "5", "5", "1"}
                                            << "Y 轴未画刻度：对数坐标" << 3;
    }
    void badValuesAreLeftOutWithANote()
    {
        QFETCH(Record, axes);
        QFETCH(QStringList, badPoint);
        QFETCH(QString, note);
        QFETCH(int, pointsDrawn);
        const std::vector<ListRow> points{row("1", {"1", "False", "10", "20", "0"}), row("2", badPoint),
                                          row("3", {"1", "False", "30", "40", "1"})};
        const ReadFigure read = readFigure({axes, points, {}});
        QCOMPARE(read.drawing.points.size(), pointsDrawn);
        if (note.isEmpty())
            QVERIFY2(read.notes.isEmpty(), qPrintable(read.notes.join('|')));
        else
            QVERIFY2(read.notes.size() == 1 && read.notes[0].startsWith(note), qPrintable(read.notes.join('|')));
        // Whatever was left out, the good points are still drawn.
        const FigurePainter painter(read.drawing, kSize);
        const QImage image = painter.paint();
        QVERIFY(near(image, painter.toPixel(30, 40), isLine));
    }

    void rowsAsTheEditorsHoldThem()
    {
        // Points join by line number in point-number order, wherever their rows
        // stand; rows marked for deletion and their labels are not drawn.
        const std::vector<ListRow> points{row("3*", {"1", "False", "30", "30", "1"}), row("1", {"1", "False", "10", "10", "0"}),
                                          row("2", {"2", "False", "90", "10", "0"}),
                                          row("4★", {"1", "False", "50", "90", "1"}, RowState::Deleted)};
        const std::vector<ListRow> labels{row("1", {"50", "50", "第一行\r\n第二行"}),
                                          row("2★", {"10", "90", "删掉的"}, RowState::Deleted)};
        const ReadFigure read = readFigure({std::nullopt, points, labels});
        QCOMPARE(read.notes, QStringList{"目录中没有这个图版的记录，坐标轴按数据范围画，未画刻度"});
        QCOMPARE(read.drawing.points.size(), 3);
        QCOMPARE(read.drawing.points[0].x, 10.0);
        QCOMPARE(read.drawing.labels.size(), 1);
        QCOMPARE(read.drawing.labels[0].text, QStringLiteral("第一行\n第二行"));
        const FigurePainter painter(read.drawing, kSize);
        const QImage image = painter.paint();
        const QPointF from = painter.toPixel(10, 10), to = painter.toPixel(30, 30);
        QVERIFY(near(image, (from + to) / 2, isLine)); // 1 to 3 joined over line 2's point
        QVERIFY(!near(image, (to + painter.toPixel(50, 90)) / 2, isLine)); // deleted point 4
        QVERIFY(painter.labelBox(read.drawing.labels[0]).height() > 1.8 * painter.labelBox({0, 0, "一"}).height());
    }
};

QTEST_MAIN(FigureReadingTest)
#include "tst_figure_reading.moc"
