#include "tools/DiagramBuilder.h"

#include <QtGlobal>

#include <cmath>

namespace {

// Six significant digits: enough for any diagram and no binary noise such as
// -0.5599999999999916 in the stored tables.
double tidy(double v)
{
    return QString::number(v, 'g', 6).toDouble();
}

} // namespace

DiagramBuilder::DiagramBuilder(const QString &number, const QString &name, int group)
{
    m_figure.number = number;
    m_figure.name = name;
    m_figure.group = group;
    m_figure.triangular = number.startsWith(QLatin1Char('T'));
    // Thumbnails are named after the number with a "P" after the type letter.
    m_figure.figName = number.left(1) + QLatin1Char('P') + number.mid(1);
    m_figure.specialCase = 0;
}

DiagramBuilder &DiagramBuilder::figName(const QString &name)
{
    m_figure.figName = name;
    return *this;
}

DiagramBuilder &DiagramBuilder::thumbnailFile(const QString &fileName)
{
    m_figure.thumbnailFile = fileName;
    return *this;
}

DiagramBuilder &DiagramBuilder::axes(const AxisSettings &x, const AxisSettings &y)
{
    m_figure.x = x;
    m_figure.y = y;
    return *this;
}

DiagramBuilder &DiagramBuilder::triangle(const QString &top, const QString &left, const QString &right)
{
    m_figure.triangular = true;
    m_figure.border = false;
    // The sides carry a 0..100 percent scale.
    m_figure.x = AxisSettings{0, 100, 5, 10, 0, false, 0};
    m_figure.y = AxisSettings{0, 100, 5, 10, 0, false, 0};
    const double h = DiagramTemplate::kTriangleHeight;
    label(50, h + 5, top);
    label(0, -7, left);
    label(100, -7, right);
    return *this;
}

DiagramBuilder &DiagramBuilder::comment(const QString &text)
{
    m_figure.comment = text;
    return *this;
}

DiagramBuilder &DiagramBuilder::noComment()
{
    m_figure.comment.reset();
    return *this;
}

DiagramBuilder &DiagramBuilder::specialCase(std::optional<int> value)
{
    m_figure.specialCase = value;
    return *this;
}

DiagramBuilder &DiagramBuilder::vector(bool on)
{
    m_figure.vector = on;
    return *this;
}

DiagramBuilder &DiagramBuilder::bitmap(bool on)
{
    m_figure.bitmap = on;
    return *this;
}

DiagramBuilder &DiagramBuilder::line(const QList<QPointF> &points, LineType type)
{
    return addSeries(points, type, false);
}

DiagramBuilder &DiagramBuilder::curve(const QList<QPointF> &points, LineType type)
{
    return addSeries(points, type, true);
}

DiagramBuilder &DiagramBuilder::ternaryLine(std::initializer_list<Ternary> points, LineType type)
{
    QList<QPointF> xy;
    for (const Ternary &t : points)
        xy << fromTernary(t);
    return addSeries(xy, type, false);
}

DiagramBuilder &DiagramBuilder::label(double x, double y, const QString &text)
{
    m_figure.labels << FigureLabel{tidy(x), tidy(y), text};
    return *this;
}

DiagramBuilder &DiagramBuilder::ternaryLabel(Ternary at, const QString &text)
{
    const QPointF p = fromTernary(at);
    return label(p.x(), p.y(), text);
}

DiagramBuilder &DiagramBuilder::axisTitles(const QString &x, const QString &y)
{
    if (!x.isEmpty())
        label(atFraction(m_figure.x, 0.5), atFraction(m_figure.y, -0.13), x);
    if (!y.isEmpty())
        label(atFraction(m_figure.x, 0.1), atFraction(m_figure.y, 1.06), y);
    return *this;
}

DiagramTemplate DiagramBuilder::build() const
{
    DiagramTemplate figure = m_figure;
    if (figure.thumbnailFile.isEmpty())
        figure.thumbnailFile = figure.figName + QStringLiteral(".gif");
    return figure;
}

QPointF DiagramBuilder::fromTernary(Ternary t)
{
    const double sum = t.top + t.left + t.right;
    const double top = sum > 0 ? 100.0 * t.top / sum : 0;
    const double right = sum > 0 ? 100.0 * t.right / sum : 0;
    return {right + top / 2.0, top * DiagramTemplate::kTriangleHeight / 100.0};
}

double DiagramBuilder::atFraction(const AxisSettings &axis, double fraction)
{
    if (axis.logarithmic && axis.minimum > 0 && axis.maximum > 0) {
        const double lo = std::log10(axis.minimum);
        const double hi = std::log10(axis.maximum);
        return std::pow(10.0, lo + fraction * (hi - lo));
    }
    return axis.minimum + fraction * (axis.maximum - axis.minimum);
}

DiagramBuilder &DiagramBuilder::addSeries(const QList<QPointF> &points, LineType type, bool curve)
{
    // The catalogue has room for 16 lines per figure; more is a mistake in the tables.
    Q_ASSERT(m_series < DiagramTemplate::kMaxSeries);
    ++m_series;
    bool first = true;
    for (const QPointF &p : points) {
        m_figure.points << FigurePoint{m_series, curve, tidy(p.x()), tidy(p.y()), first ? LineType::None : type};
        first = false;
    }
    return *this;
}
