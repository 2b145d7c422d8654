#include "figure/FigurePainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QColor kFrame(0x20, 0x20, 0x20);
const QColor kLine(0x1d, 0x4e, 0x9a);
const QColor kText(0x30, 0x30, 0x30);
const QColor kLabel(0x9a, 0x1d, 0x1d);

// Beyond these counts ticks would merge into a bar; the axis is drawn without them.
constexpr int kMostMajorTicks = 200;
constexpr int kMostMinorTicks = 1000;
constexpr int kMostDecades = 60;
constexpr int kMostSmoothedPoints = 2000;

QFont figureFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    return font;
}

QString tickText(double value, const AxisSettings &axis)
{
    if (axis.logarithmic || axis.decimals < 0)
        return QString::number(value, 'g', 6);
    return QString::number(value, 'f', std::min(axis.decimals, 10));
}

// The axis's own range, or else the range the figure's values span on it.
FigurePainter::Scale scaleOf(const AxisSettings &axis, const QList<double> &values)
{
    if (axisProblem(axis).isEmpty())
        return {axis.minimum, axis.maximum, axis.logarithmic, true};
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (double v : values) {
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    if (low > high)
        return {0, 1, false, false};
    if (low == high)
        return {low - 1, high + 1, false, false};
    return {low, high, false, false};
}

bool within(const FigurePainter::Scale &scale, double value)
{
    return value >= std::min(scale.from, scale.to) && value <= std::max(scale.from, scale.to);
}

QList<double> tickValues(const FigurePainter::Scale &scale, double step, bool major)
{
    QList<double> values;
    if (!scale.usable)
        return values;
    const double low = std::min(scale.from, scale.to);
    const double high = std::max(scale.from, scale.to);
    if (scale.logarithmic) {
        const double firstDecade = std::floor(std::log10(low));
        if (std::log10(high) - firstDecade > kMostDecades)
            return values;
        for (double decade = std::pow(10.0, firstDecade); decade <= high * (1 + 1e-9); decade *= 10) {
            for (int m = major ? 1 : 2; m <= (major ? 1 : 9); ++m) {
                const double v = m * decade;
                if (v >= low * (1 - 1e-9) && v <= high * (1 + 1e-9))
                    values << v;
            }
        }
        return values;
    }
    if (!(step > 0) || !std::isfinite(step) || (high - low) / step > (major ? kMostMajorTicks : kMostMinorTicks))
        return values;
    const double first = std::ceil(low / step - 1e-9) * step;
    for (int k = 0;; ++k) {
        double v = first + k * step;
        if (v > high + step * 1e-6)
            break;
        if (std::abs(v) < step * 1e-9)
            v = 0; // not -1.1e-16
        values << v;
    }
    return values;
}

// The part of the segment inside `box` (Cohen-Sutherland), so a point far off
// the figure still draws the piece of its line that shows. Each cut is taken
// from the other end, which keeps it exact when one end is 1e300 away.
std::optional<QLineF> clipped(QPointF a, QPointF b, const QRectF &box)
{
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y()))
        return std::nullopt;
    enum { Left = 1, Right = 2, Low = 4, High = 8 };
    const auto code = [&box](QPointF p) {
        return (p.x() < box.left() ? Left : p.x() > box.right() ? Right : 0)
               | (p.y() < box.top() ? Low : p.y() > box.bottom() ? High : 0);
    };
    for (int step = 0; step < 8; ++step) {
        const int ca = code(a), cb = code(b);
        if (!(ca | cb))
            return QLineF(a, b);
        if (ca & cb)
            return std::nullopt;
        QPointF &out = ca ? a : b;
        const QPointF other = ca ? b : a;
        const int c = ca ? ca : cb;
        const QPointF d = out - other;
        if (c & (Left | Right)) {
            const double edge = c & Left ? box.left() : box.right();
            out = QPointF(edge, other.y() + d.y() * ((edge - other.x()) / d.x()));
        } else {
            const double edge = c & Low ? box.top() : box.bottom();
            out = QPointF(other.x() + d.x() * ((edge - other.y()) / d.y()), edge);
        }
    }
    return std::nullopt;
}

// Fractions drawn: the plot and a margin around it.
const QRectF kDrawnFractions(QPointF(-0.5, -0.5), QPointF(1.5, 1.5));

} // namespace

double FigurePainter::Scale::fraction(double value) const
{
    if (logarithmic)
        return (std::log10(value) - std::log10(from)) / (std::log10(to) - std::log10(from));
    return (value - from) / (to - from);
}

FigurePainter::FigurePainter(const FigureDrawing &figure, QSize size, LabelTexts *texts, LinePixels *lines)
    : m_figure(figure), m_size(size), m_texts(texts), m_lines(lines)
{
    const double f = fontPixels();
    if (m_figure.triangular) {
        // Keep the triangle equilateral and leave room for corner names.
        const double side = std::min(m_size.width() - 6.0 * f, (m_size.height() - 5.6 * f) / 0.866);
        const double height = side * 0.866;
        const double left = (m_size.width() - side) / 2.0;
        const double top = 2.4 * f + (m_size.height() - 5.6 * f - height) / 2.0;
        m_plot = QRectF(left, top, side, height);
        return;
    }
    // Axis titles stand a fraction of the plot's height beyond it, so the
    // margins above and below grow with the height, past where the type stops growing.
    const double band = std::max(f, m_size.height() / 34.0);
    m_plot = QRectF(QPointF(5.2 * f, 3.0 * band), QPointF(m_size.width() - 1.6 * f, m_size.height() - 4.4 * band));
    QList<double> xs, ys;
    for (const FigurePoint &point : m_figure.points) {
        xs << point.x;
        ys << point.y;
    }
    for (const FigureLabel &label : m_figure.labels) {
        xs << label.x;
        ys << label.y;
    }
    m_x = scaleOf(m_figure.x, xs);
    m_y = scaleOf(m_figure.y, ys);
}

int FigurePainter::fontPixels() const
{
    return std::clamp(static_cast<int>(std::lround(m_size.height() / 34.0)), 9, 16);
}

QPointF FigurePainter::fractionOf(double x, double y) const
{
    if (m_figure.triangular)
        return {x / 100.0, y / 100.0};
    return {m_x.fraction(x), m_y.fraction(y)};
}

QPointF FigurePainter::fromFraction(QPointF fraction) const
{
    // The triangle's unit is its side, on both axes.
    const double height = m_figure.triangular ? m_plot.width() : m_plot.height();
    return {m_plot.left() + fraction.x() * m_plot.width(), m_plot.bottom() - fraction.y() * height};
}

QPointF FigurePainter::toPixel(double x, double y) const
{
    return fromFraction(fractionOf(x, y));
}

bool FigurePainter::placeable(const FigurePoint &point) const
{
    if (m_figure.triangular)
        return std::isfinite(point.x) && std::isfinite(point.y);
    const auto takes = [](const Scale &scale, double v) { return std::isfinite(v) && (!scale.logarithmic || v > 0); };
    return takes(m_x, point.x) && takes(m_y, point.y);
}

QImage FigurePainter::paint() const
{
    QImage image(m_size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    paint(p);
    return image;
}

void FigurePainter::paint(QPainter &p) const
{
    drawFrame(p);
    drawOverFrame(p);
}

QImage FigurePainter::paintFrame(qreal devicePixelRatio) const
{
    QImage image(m_size * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter p(&image);
    drawFrame(p);
    return image;
}

void FigurePainter::drawOverFrame(QPainter &p) const
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawLines(p);
    drawLabels(p, nullptr);
}

void FigurePainter::drawFrame(QPainter &p) const
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (m_figure.triangular)
        drawTriangleFrame(p);
    else
        drawCartesianFrame(p);
}

bool FigurePainter::placesAlike(const FigurePainter &other) const
{
    // Exact comparisons: equal within rounding is not the same pixels.
    const auto sameRect = [](const QRectF &a, const QRectF &b) {
        return a.x() == b.x() && a.y() == b.y() && a.width() == b.width() && a.height() == b.height();
    };
    return m_size == other.m_size && m_figure.triangular == other.m_figure.triangular
           && m_figure.border == other.m_figure.border && m_figure.x == other.m_figure.x
           && m_figure.y == other.m_figure.y && sameRect(m_plot, other.m_plot) && m_x == other.m_x && m_y == other.m_y
           && labelFont() == other.labelFont();
}

bool FigurePainter::repaint(QImage &image, const QImage &frame, const FigurePainter &before) const
{
    if (!m_texts || !m_lines || image.size() != m_size || frame.size() != m_size || image.devicePixelRatio() != 1
        || smoothsLines() || before.smoothsLines() || !placesAlike(before) || m_lines->drawsLooseCurves())
        return false;
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (!m_lines->update(p, lineClip(), lineStrokes(), kLine.rgba(), strokeLines) || m_lines->drawsLooseCurves())
        return false;
    QRegion changed = m_lines->changed();
    // A label is painted anew where it was and where it is now.
    // Past a few hundred (a label put in near the top shifts all after it)
    // the whole figure is painted: faster than a region of that many boxes.
    constexpr int kMostChangedLabels = 256;
    m_texts->begin(labelFont());
    const qsizetype labels = std::max(m_figure.labels.size(), before.m_figure.labels.size());
    int changedLabels = 0;
    for (qsizetype i = 0; i < labels; ++i) {
        const FigureLabel *was = i < before.m_figure.labels.size() ? &before.m_figure.labels[i] : nullptr;
        const FigureLabel *is = i < m_figure.labels.size() ? &m_figure.labels[i] : nullptr;
        if (was && is && sameLabel(*was, *is))
            continue;
        if (++changedLabels > kMostChangedLabels)
            return false;
        for (const FigureLabel *label : {was, is}) {
            if (label)
                changed += inkArea(*label, m_texts->of(label->text));
        }
    }
    // Painted anew by runs of tiles, each under a rectangular clip, so a
    // label is drawn only where a run it reaches into needs it (in each of
    // them) and the clip stays a rectangle however ragged the change is.
    constexpr int kTile = 64;
    const int width = m_size.width(), height = m_size.height();
    for (int top = 0; top < height; top += kTile) {
        for (int left = 0; left < width;) {
            int right = left;
            while (right < width && changed.intersects(QRect(right, top, kTile, kTile)))
                right += kTile;
            if (right == left) {
                left += kTile;
                continue;
            }
            const QRect run(QPoint(left, top), QPoint(std::min(right, width) - 1, std::min(top + kTile, height) - 1));
            p.setClipRect(run);
            p.drawImage(run.topLeft(), frame, run);
            m_lines->drawKept(p, strokeLines);
            drawLabels(p, &run);
            left = right;
        }
    }
    return true;
}

void FigurePainter::drawCartesianFrame(QPainter &p) const
{
    p.setPen(QPen(kFrame, 1.2));
    if (m_figure.border)
        p.drawRect(m_plot);
    // Each axis runs where the other one's crossing point puts it.
    const double xAxisAt = m_y.usable && within(m_y, m_figure.y.crossing) && placeable({1, false, m_x.from, m_figure.y.crossing})
                               ? toPixel(m_x.from, m_figure.y.crossing).y()
                               : m_plot.bottom();
    const double yAxisAt = m_x.usable && within(m_x, m_figure.x.crossing) && placeable({1, false, m_figure.x.crossing, m_y.from})
                               ? toPixel(m_figure.x.crossing, m_y.from).x()
                               : m_plot.left();
    p.drawLine(QPointF(m_plot.left(), xAxisAt), QPointF(m_plot.right(), xAxisAt));
    p.drawLine(QPointF(yAxisAt, m_plot.top()), QPointF(yAxisAt, m_plot.bottom()));

    p.setFont(figureFont(fontPixels()));
    const QFontMetricsF metrics(p.font());
    p.setPen(QPen(kText, 1));
    for (double v : tickValues(m_x, m_figure.x.minorTick, false)) {
        const double at = toPixel(v, m_y.from).x();
        p.drawLine(QPointF(at, xAxisAt), QPointF(at, xAxisAt - 2.5));
    }
    for (double v : tickValues(m_y, m_figure.y.minorTick, false)) {
        const double at = toPixel(m_x.from, v).y();
        p.drawLine(QPointF(yAxisAt, at), QPointF(yAxisAt + 2.5, at));
    }
    for (double v : tickValues(m_x, m_figure.x.majorTick, true)) {
        const double at = toPixel(v, m_y.from).x();
        p.drawLine(QPointF(at, xAxisAt), QPointF(at, xAxisAt - 5));
        const QString text = tickText(v, m_figure.x);
        p.drawText(QPointF(at - metrics.horizontalAdvance(text) / 2, xAxisAt + 3 + metrics.ascent()), text);
    }
    for (double v : tickValues(m_y, m_figure.y.majorTick, true)) {
        const double at = toPixel(m_x.from, v).y();
        p.drawLine(QPointF(yAxisAt, at), QPointF(yAxisAt + 5, at));
        const QString text = tickText(v, m_figure.y);
        p.drawText(QPointF(yAxisAt - 4 - metrics.horizontalAdvance(text), at + metrics.ascent() / 2 - 1), text);
    }
}

void FigurePainter::drawTriangleFrame(QPainter &p) const
{
    const QPointF left = toPixel(0, 0);
    const QPointF right = toPixel(100, 0);
    const QPointF top = toPixel(50, FigureDrawing::kTriangleHeight);
    p.setPen(QPen(kFrame, 1.2));
    p.drawPolygon(QPolygonF({left, right, top}));
    // Ten-percent marks along each side, pointing inwards.
    p.setPen(QPen(kText, 1));
    const QPointF centre = (left + right + top) / 3.0;
    const QPointF corners[3] = {left, right, top};
    for (int side = 0; side < 3; ++side) {
        const QPointF a = corners[side];
        const QPointF b = corners[(side + 1) % 3];
        for (int i = 1; i < 10; ++i) {
            const QPointF at = a + (b - a) * (i / 10.0);
            QPointF inward = centre - at;
            inward /= std::hypot(inward.x(), inward.y());
            p.drawLine(at, at + inward * 4);
        }
    }
}

bool FigurePainter::smoothsLines() const
{
    // Smoothing costs most on long lines; past a few thousand it is dropped,
    // and then each line's pixels can be kept until it changes.
    return m_figure.points.size() <= kMostSmoothedPoints;
}

QRectF FigurePainter::lineClip() const
{
    return m_figure.triangular ? QRectF(QPointF(0, 0), QSizeF(m_size)) : m_plot.adjusted(-1, -1, 1, 1);
}

void FigurePainter::drawLines(QPainter &p) const
{
    p.save();
    const QRectF clip = lineClip();
    p.setClipRect(clip);
    const QMap<int, LinePixels::Strokes> strokes = lineStrokes();
    const bool smooth = smoothsLines();
    p.setRenderHint(QPainter::Antialiasing, smooth);
    LinePixels ownPixels;
    LinePixels &pixels = m_lines ? *m_lines : ownPixels;
    if (smooth || !pixels.draw(p, clip, strokes, kLine.rgba(), strokeLines)) {
        // Smoothed lines blend where they cross: drawn by type, then line number.
        LinePixels::Strokes all;
        for (const LinePixels::Strokes &line : std::as_const(strokes)) {
            for (int type = 1; type < 4; ++type) {
                all.straight[type] << line.straight[type];
                all.curved[type] << line.curved[type];
            }
        }
        strokeLines(p, all);
    }
    p.restore();
}

QMap<int, LinePixels::Strokes> FigurePainter::lineStrokes() const
{
    // A line is every point of one line number, in point-number order.
    QMap<int, QList<QPointF>> lines; // in plot fractions
    QMap<int, QList<const FigurePoint *>> linePoints;
    for (const FigurePoint &point : m_figure.points) {
        if (!placeable(point))
            continue;
        lines[point.series] << fractionOf(point.x, point.y);
        linePoints[point.series] << &point;
    }
    // Collected per line and line type: a figure may hold 10,000 points and is
    // redrawn at every edit, so each type is drawn in one call, or each line's
    // pixels are kept.
    QMap<int, LinePixels::Strokes> strokes;
    for (auto it = lines.cbegin(); it != lines.cend(); ++it) {
        const QList<QPointF> &at = it.value();
        const QList<const FigurePoint *> &points = linePoints[it.key()];
        LinePixels::Strokes &line = strokes[it.key()];
        for (qsizetype i = 1; i < at.size(); ++i) {
            const int type = static_cast<int>(points[i]->line);
            if (type == static_cast<int>(LineType::None))
                continue;
            const QPointF before = i >= 2 && points[i - 2]->curve ? at[i - 2] : at[i - 1];
            const QPointF after = i + 1 < at.size() && points[i + 1]->curve ? at[i + 1] : at[i];
            const bool onCurve = points[i - 1]->curve && points[i]->curve;
            const bool allShown = kDrawnFractions.contains(before) && kDrawnFractions.contains(at[i - 1])
                                  && kDrawnFractions.contains(at[i]) && kDrawnFractions.contains(after);
            if (onCurve && allShown) {
                // A Catmull-Rom piece through the curve's neighbouring points.
                line.curved[type] << LinePixels::Curve{fromFraction(at[i - 1]),
                                                       fromFraction(at[i - 1] + (at[i] - before) / 6.0),
                                                       fromFraction(at[i] - (after - at[i - 1]) / 6.0),
                                                       fromFraction(at[i])};
            } else if (const auto shown = clipped(at[i - 1], at[i], kDrawnFractions)) {
                line.straight[type] << QLineF(fromFraction(shown->p1()), fromFraction(shown->p2()));
            }
        }
    }
    return strokes;
}

void FigurePainter::strokeLines(QPainter &p, const LinePixels::Strokes &strokes)
{
    const Qt::PenStyle styles[4] = {Qt::NoPen, Qt::SolidLine, Qt::DotLine, Qt::DashLine};
    for (int type = 1; type < 4; ++type) {
        QPen pen(kLine, 1.5);
        pen.setStyle(styles[type]);
        p.setPen(pen);
        p.drawLines(strokes.straight[type]);
        // One path per piece: a long path strokes slowly.
        for (const LinePixels::Curve &curve : strokes.curved[type]) {
            QPainterPath piece(curve.from);
            piece.cubicTo(curve.c1, curve.c2, curve.to);
            p.drawPath(piece);
        }
    }
}

QFont FigurePainter::labelFont() const
{
    // Busy diagrams get a smaller type so neighbouring field names stay apart.
    return figureFont(fontPixels() - (m_figure.labels.size() > 10 ? 1 : 0));
}

QRectF FigurePainter::labelBox(const FigureLabel &label, const LabelTexts::Text &text) const
{
    QRectF placed(QPointF(), text.size);
    placed.moveCenter(toPixel(label.x, label.y));
    return placed;
}

QRectF FigurePainter::labelBox(const FigureLabel &label) const
{
    LabelTexts texts;
    texts.begin(labelFont());
    return labelBox(label, texts.of(label.text));
}

QRect FigurePainter::inkArea(const FigureLabel &label, const LabelTexts::Text &text) const
{
    if (!drawable(label))
        return {};
    // Glyphs may reach past their advances, and smoothing a pixel further.
    const int beyond = labelFont().pixelSize();
    return labelBox(label, text).toAlignedRect().adjusted(-beyond, -beyond, beyond, beyond);
}

bool FigurePainter::drawable(const FigureLabel &label) const
{
    return placeable({1, false, label.x, label.y}) && kDrawnFractions.contains(fractionOf(label.x, label.y));
}

bool FigurePainter::sameLabel(const FigureLabel &a, const FigureLabel &b)
{
    return a.text == b.text && std::bit_cast<quint64>(a.x) == std::bit_cast<quint64>(b.x)
           && std::bit_cast<quint64>(a.y) == std::bit_cast<quint64>(b.y);
}

void FigurePainter::drawLabels(QPainter &p, const QRect *within) const
{
    LabelTexts ownTexts;
    LabelTexts &texts = m_texts ? *m_texts : ownTexts;
    p.setFont(labelFont());
    texts.begin(p.font());
    const QRectF canvas(QPointF(0, 0), QSizeF(m_size));
    for (const FigureLabel &label : m_figure.labels) {
        if (!drawable(label))
            continue;
        const LabelTexts::Text &text = texts.of(label.text);
        const QRectF placed = labelBox(label, text);
        if (!placed.intersects(canvas) || (within && !within->intersects(inkArea(label, text))))
            continue;
        // Field names inside the diagram are centred on their spot; text
        // outside (axis and corner names, legends) reads as a plain block.
        const bool inside = m_figure.triangular ? label.y >= 0 && label.y <= FigureDrawing::kTriangleHeight
                                                       && label.y <= 1.732 * std::min(label.x, 100 - label.x)
                                                : m_plot.contains(placed.center());
        p.setPen(inside ? kLabel : kText);
        if (!text.multiline) {
            for (const QGlyphRun &run : text.lines[0].runs)
                p.drawGlyphRun(placed.topLeft(), run);
            continue;
        }
        const qreal down = (placed.height() - text.height) / 2;
        for (const LabelTexts::Line &line : text.lines) {
            const qreal across = inside ? (placed.width() - line.advance) / 2 : 0;
            for (const QGlyphRun &run : line.runs)
                p.drawGlyphRun(QPointF(placed.x() + across, placed.y() + down), run);
        }
    }
    if (!within) // a partial paint asks for only some texts: keep the others
        texts.end();
}
