#include "tools/ThumbnailPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor kFrame(0x20, 0x20, 0x20);
const QColor kLine(0x1d, 0x4e, 0x9a);
const QColor kText(0x30, 0x30, 0x30);
const QColor kLabel(0x9a, 0x1d, 0x1d);

QFont thumbnailFont(int pixelSize)
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
    return QString::number(value, 'f', axis.decimals);
}

bool validAxis(const AxisSettings &axis)
{
    if (!(axis.maximum > axis.minimum))
        return false;
    return !axis.logarithmic || axis.minimum > 0;
}

} // namespace

ThumbnailPainter::ThumbnailPainter(const DiagramTemplate &figure, QSize size)
    : m_figure(figure), m_size(size)
{
    if (m_figure.triangular) {
        // Keep the triangle equilateral and leave room for corner names.
        const double side = std::min(m_size.width() - 60.0, (m_size.height() - 56.0) / 0.866);
        const double height = side * 0.866;
        const double left = (m_size.width() - side) / 2.0;
        const double top = 24.0 + (m_size.height() - 56.0 - height) / 2.0;
        m_plot = QRectF(left, top, side, height);
    } else {
        m_plot = QRectF(QPointF(52, 30), QPointF(m_size.width() - 16.0, m_size.height() - 44.0));
    }
}

double ThumbnailPainter::axisFraction(const AxisSettings &axis, double value) const
{
    if (!validAxis(axis))
        return 0;
    if (axis.logarithmic) {
        const double v = value > 0 ? value : axis.minimum;
        return (std::log10(v) - std::log10(axis.minimum)) / (std::log10(axis.maximum) - std::log10(axis.minimum));
    }
    return (value - axis.minimum) / (axis.maximum - axis.minimum);
}

QPointF ThumbnailPainter::toPixel(double x, double y) const
{
    if (m_figure.triangular) {
        const double unit = m_plot.width() / 100.0;
        return {m_plot.left() + x * unit, m_plot.bottom() - y * unit};
    }
    return {m_plot.left() + axisFraction(m_figure.x, x) * m_plot.width(),
            m_plot.bottom() - axisFraction(m_figure.y, y) * m_plot.height()};
}

QImage ThumbnailPainter::paint() const
{
    QImage image(m_size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (m_figure.triangular)
        drawTriangleFrame(p);
    else
        drawCartesianFrame(p);
    drawLines(p);
    drawLabels(p);
    return image;
}

void ThumbnailPainter::drawCartesianFrame(QPainter &p) const
{
    p.setPen(QPen(kFrame, 1.2));
    if (m_figure.border) {
        p.drawRect(m_plot);
    } else {
        p.drawLine(m_plot.bottomLeft(), m_plot.bottomRight());
        p.drawLine(m_plot.bottomLeft(), m_plot.topLeft());
    }
    p.setFont(thumbnailFont(10));
    const QFontMetricsF metrics(p.font());

    auto ticks = [](const AxisSettings &axis) {
        QList<double> values;
        if (!validAxis(axis))
            return values;
        if (axis.logarithmic) {
            for (double v = std::pow(10.0, std::ceil(std::log10(axis.minimum) - 1e-9)); v <= axis.maximum * 1.000001;
                 v *= 10)
                values << v;
        } else if (axis.majorTick > 0 && (axis.maximum - axis.minimum) / axis.majorTick <= 50) {
            const double first = std::ceil(axis.minimum / axis.majorTick - 1e-9) * axis.majorTick;
            for (double v = first; v <= axis.maximum + axis.majorTick * 1e-6; v += axis.majorTick)
                values << v;
        }
        return values;
    };

    p.setPen(QPen(kText, 1));
    for (double v : ticks(m_figure.x)) {
        const QPointF at = toPixel(v, m_figure.y.minimum);
        p.drawLine(QPointF(at.x(), m_plot.bottom()), QPointF(at.x(), m_plot.bottom() - 4));
        const QString text = tickText(v, m_figure.x);
        const double w = metrics.horizontalAdvance(text);
        p.drawText(QPointF(at.x() - w / 2, m_plot.bottom() + 3 + metrics.ascent()), text);
    }
    for (double v : ticks(m_figure.y)) {
        const double y = toPixel(m_figure.x.minimum, v).y();
        p.drawLine(QPointF(m_plot.left(), y), QPointF(m_plot.left() + 4, y));
        const QString text = tickText(v, m_figure.y);
        const double w = metrics.horizontalAdvance(text);
        p.drawText(QPointF(m_plot.left() - 4 - w, y + metrics.ascent() / 2 - 1), text);
    }
}

void ThumbnailPainter::drawTriangleFrame(QPainter &p) const
{
    const QPointF left = toPixel(0, 0);
    const QPointF right = toPixel(100, 0);
    const QPointF top = toPixel(50, DiagramTemplate::kTriangleHeight);
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

void ThumbnailPainter::drawLines(QPainter &p) const
{
    p.save();
    if (m_figure.triangular) {
        p.setClipRect(QRectF(QPointF(0, 0), QSizeF(m_size)));
    } else {
        p.setClipRect(m_plot.adjusted(-1, -1, 1, 1));
    }
    const DiagramPoint *previous = nullptr;
    for (const DiagramPoint &point : m_figure.points) {
        const bool joined = previous && previous->series == point.series && point.line != LineType::None;
        if (joined) {
            QPen pen(kLine, 1.5);
            if (point.line == LineType::Dotted)
                pen.setStyle(Qt::DotLine);
            else if (point.line == LineType::Dashed)
                pen.setStyle(Qt::DashLine);
            p.setPen(pen);
            p.drawLine(toPixel(previous->x, previous->y), toPixel(point.x, point.y));
        }
        previous = &point;
    }
    p.restore();
}

void ThumbnailPainter::drawLabels(QPainter &p) const
{
    // Busy diagrams get a smaller type so neighbouring field names stay apart.
    p.setFont(thumbnailFont(m_figure.labels.size() > 10 ? 9 : 10));
    const QFontMetricsF metrics(p.font());
    for (const DiagramLabel &label : m_figure.labels) {
        const QPointF at = toPixel(label.x, label.y);
        const QRectF box = metrics.boundingRect(QRectF(), Qt::AlignCenter, label.text);
        QRectF placed(QPointF(), box.size());
        placed.moveCenter(at);
        // Field names inside the diagram are centred on their spot; text
        // outside (axis and corner names, legends) reads as a plain block.
        const bool inside = m_figure.triangular ? label.y >= 0 && label.y <= DiagramTemplate::kTriangleHeight
                                                       && label.y <= 1.732 * std::min(label.x, 100 - label.x)
                                                : m_plot.contains(at);
        p.setPen(inside ? kLabel : kText);
        p.drawText(placed, inside ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter, label.text);
    }
}
