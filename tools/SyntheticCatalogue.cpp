#include "tools/SyntheticCatalogue.h"

#include "platform/image/GifWriter.h"
#include "tools/CatalogueWriter.h"
#include "tools/DiagramBuilder.h"
#include "tools/InstallRootLayout.h"

#include <QPainter>

#include <array>
#include <cmath>

namespace {

// splitmix64: tiny, and seeded per figure so figure(i) needs no other figure.
class Random
{
public:
    explicit Random(quint64 seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double unit() { return double(next() >> 11) / double(1ull << 53); }
    double between(double lo, double hi) { return lo + unit() * (hi - lo); }

private:
    quint64 m_state;
};

struct AxisPair
{
    const char *x;
    const char *y;
    AxisSettings xAxis;
    AxisSettings yAxis;
};

const std::array<AxisPair, 5> kCartesianAxes = {{
    {"SiO2", "Na2O+K2O", {35, 80, 1, 5, 35, false, 0}, {0, 16, 1, 2, 0, false, 0}},
    {"SiO2", "K2O", {45, 80, 1, 5, 45, false, 0}, {0, 6, 0.2, 1, 0, false, 1}},
    {"Nb/Y", "Zr/TiO2", {0.01, 10, 1, 10, 0.01, true, -1}, {0.001, 10, 1, 10, 0.001, true, -1}},
    {"A/CNK", "A/NK", {0.5, 2, 0.1, 0.5, 0.5, false, 1}, {0.5, 3, 0.1, 0.5, 0.5, false, 1}},
    {"Y", "Nb", {1, 1000, 1, 10, 1, true, -1}, {1, 1000, 1, 10, 1, true, -1}},
}};

const std::array<const char *, 4> kTriangles = {"A-F-M", "Ti-Zr-Y", "Q-A-P", "Hf-Rb-Ta"};

double randomOnAxis(Random &rng, const AxisSettings &axis)
{
    return DiagramBuilder::atFraction(axis, rng.between(0.05, 0.95));
}

} // namespace

SyntheticCatalogue::SyntheticCatalogue(const SyntheticOptions &options) : m_options(options) {}

QMap<int, QString> SyntheticCatalogue::groups()
{
    return {
        {1, QStringLiteral("火山岩分类")},   {2, QStringLiteral("深成岩分类")},   {3, QStringLiteral("岩浆系列")},
        {4, QStringLiteral("构造环境判别")}, {5, QStringLiteral("花岗岩类判别")}, {6, QStringLiteral("沉积岩与风化")},
        {7, QStringLiteral("微量元素配分")}, {8, QStringLiteral("变质岩")},       {9, QStringLiteral("同位素地球化学")},
        {10, QStringLiteral("矿物化学")},
    };
}

QString SyntheticCatalogue::figureNumber(int index)
{
    const int n = index + 1;
    const bool triangular = n % 3 == 0;
    const int counter = triangular ? n / 3 : n - n / 3;
    return QStringLiteral("%1%2").arg(triangular ? QLatin1Char('T') : QLatin1Char('B')).arg(counter, 3, 10, QLatin1Char('0'));
}

DiagramTemplate SyntheticCatalogue::figure(int index) const
{
    const int n = index + 1;
    const QString number = figureNumber(index);
    const bool triangular = number.startsWith(QLatin1Char('T'));
    Random rng{quint64(n)};

    DiagramTemplate f;
    f.number = number;
    f.figName = number.left(1) + QLatin1Char('P') + number.mid(1);
    f.thumbnailFile = f.figName + QStringLiteral(".gif");
    f.group = (n - 1) % 10 + 1;
    f.triangular = triangular;
    if (triangular) {
        const char *corners = kTriangles[n % kTriangles.size()];
        f.name = QStringLiteral("合成三角图 %1（%2）").arg(number, QLatin1String(corners));
        f.x = AxisSettings{0, 100, 5, 10, 0, false, 0};
        f.y = f.x;
        f.border = false;
    } else {
        const AxisPair &axes = kCartesianAxes[n % kCartesianAxes.size()];
        f.name = QStringLiteral("合成图版 %1：%2-%3 图").arg(number, QLatin1String(axes.y), QLatin1String(axes.x));
        f.x = axes.xAxis;
        f.y = axes.yAxis;
        f.border = true;
    }
    f.specialCase = n % 4;
    f.comment = QStringLiteral("合成图版，供测试与性能测量使用（第 %1 号）。").arg(n);
    f.vector = n % 2 == 0;
    f.bitmap = n % 3 == 1;

    // Triangle parts no smaller than `least` percent each keep a position off the edges.
    auto randomPosition = [&](int least) {
        if (triangular)
            return DiagramBuilder::fromTernary({rng.between(least, 100), rng.between(least, 100), rng.between(least, 100)});
        return QPointF(randomOnAxis(rng, f.x), randomOnAxis(rng, f.y));
    };
    const int points = std::max(0, m_options.points);
    const int series = std::clamp(points / 8, 1, DiagramTemplate::kMaxSeries);
    f.points.reserve(points);
    for (int j = 0; j < points; ++j) {
        FigurePoint p;
        p.series = int(qint64(j) * series / points) + 1;
        const bool first = f.points.isEmpty() || f.points.last().series != p.series;
        p.line = first ? LineType::None : (j % 7 == 0 ? LineType::Dashed : (j % 11 == 0 ? LineType::Dotted : LineType::Solid));
        p.curve = p.series % 4 == 0;
        const QPointF xy = randomPosition(1);
        p.x = xy.x();
        p.y = xy.y();
        f.points << p;
    }

    const int labels = std::max(0, m_options.labels);
    f.labels.reserve(labels);
    for (int k = 1; k <= labels; ++k) {
        FigureLabel l;
        const QPointF xy = randomPosition(10);
        l.x = xy.x();
        l.y = xy.y();
        l.text = k % 5 == 0 ? QStringLiteral("区域 %1\n（合成）").arg(k) : QStringLiteral("区域 %1").arg(k);
        f.labels << l;
    }
    return f;
}

QImage SyntheticCatalogue::thumbnail()
{
    // No text, so no fonts are needed: a frame and three boundary lines.
    QImage image(120, 103, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.drawRect(QRect(10, 8, 100, 85));
    p.setPen(QPen(QColor(0x1d, 0x4e, 0x9a), 2));
    p.drawLine(QPoint(10, 93), QPoint(110, 20));
    p.drawLine(QPoint(40, 93), QPoint(110, 55));
    p.setPen(QPen(QColor(0x9a, 0x1d, 0x1d), 2, Qt::DashLine));
    p.drawLine(QPoint(10, 50), QPoint(75, 50));
    return image;
}

QString SyntheticCatalogue::buildRoot(const QString &root, bool replace) const
{
    InstallRootLayout layout(root);
    return layout.build(
        replace, [this](const QString &path) { return fillCatalogue(path); },
        [this](const InstallRootLayout &l) { return m_options.thumbnails ? writeThumbnails(l.thumbnailDir()) : QString(); });
}

QString SyntheticCatalogue::fillCatalogue(const QString &cataloguePath) const
{
    CatalogueWriter writer(cataloguePath);
    QString error = writer.begin();
    const QMap<int, QString> names = groups();
    for (auto it = names.cbegin(); error.isEmpty() && it != names.cend(); ++it)
        error = writer.addGroup(it.key(), it.value());
    for (int i = 0; error.isEmpty() && i < m_options.figures; ++i)
        error = writer.addFigure(figure(i));
    return error.isEmpty() ? writer.commit() : error;
}

QString SyntheticCatalogue::writeThumbnails(const QString &dir) const
{
    QString error;
    const QByteArray gif = GifWriter::encode(thumbnail(), &error);
    if (gif.isEmpty())
        return error;
    for (int i = 0; i < m_options.figures; ++i) {
        const QString number = figureNumber(i);
        const QString name = number.left(1) + QLatin1Char('P') + number.mid(1) + QStringLiteral(".gif");
        error = GifWriter::writeBytes(gif, dir + QLatin1Char('/') + name);
        if (!error.isEmpty())
            return error;
    }
    return {};
}
