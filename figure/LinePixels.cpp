#include "figure/LinePixels.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace {

// Pieces compared bit for bit: kept pixels stand only for the very same coordinates.
template <typename T>
bool sameBits(const QList<T> &a, const QList<T> &b)
{
    return a.size() == b.size()
           && (a.isEmpty() || std::memcmp(a.constData(), b.constData(), a.size() * sizeof(T)) == 0);
}

bool sameStrokes(const LinePixels::Strokes &a, const LinePixels::Strokes &b)
{
    for (int type = 0; type < 4; ++type) {
        if (!sameBits(a.straight[type], b.straight[type]) || !sameBits(a.curved[type], b.curved[type]))
            return false;
    }
    return true;
}

bool sameBits(double a, double b)
{
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

bool isWhole(double v)
{
    return std::floor(v) == v && std::abs(v) < (1 << 20);
}

// Devices that the lines' colour lands on as it is, whether drawn as a line
// or laid down from an image.
bool takesColourAsIs(const QPaintDevice &device)
{
    if (device.devType() == QInternal::Image) {
        const QImage::Format format = static_cast<const QImage &>(device).format();
        return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
    }
    // Widgets and pixmaps: 32-bit backing stores and pixmaps.
    return device.depth() == 24 || device.depth() == 32;
}

QRectF boundsOf(const LinePixels::Curve &curve)
{
    const double left = std::min({curve.from.x(), curve.c1.x(), curve.c2.x(), curve.to.x()});
    const double right = std::max({curve.from.x(), curve.c1.x(), curve.c2.x(), curve.to.x()});
    const double top = std::min({curve.from.y(), curve.c1.y(), curve.c2.y(), curve.to.y()});
    const double bottom = std::max({curve.from.y(), curve.c1.y(), curve.c2.y(), curve.to.y()});
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

bool hasCurves(const LinePixels::Strokes &strokes)
{
    return std::any_of(std::begin(strokes.curved), std::end(strokes.curved),
                       [](const QList<LinePixels::Curve> &curves) { return !curves.isEmpty(); });
}

} // namespace

bool LinePixels::Geometry::operator==(const Geometry &other) const
{
    return dx == other.dx && dy == other.dy && device == other.device && sameBits(clip.x(), other.clip.x())
           && sameBits(clip.y(), other.clip.y()) && sameBits(clip.width(), other.clip.width())
           && sameBits(clip.height(), other.clip.height());
}

bool LinePixels::draw(QPainter &p, const QRectF &clip, const QMap<int, Strokes> &lines, QRgb colour,
                      const Stroke &stroke)
{
    if (!update(p, clip, lines, colour, stroke))
        return false;
    drawKept(p, stroke);
    return true;
}

bool LinePixels::update(const QPainter &p, const QRectF &clip, const QMap<int, Strokes> &lines, QRgb colour,
                        const Stroke &stroke)
{
    const QPaintDevice *device = p.device();
    const QTransform toDevice = p.deviceTransform();
    if (!device || !p.paintEngine() || p.paintEngine()->type() != QPaintEngine::Raster || !takesColourAsIs(*device)
        || toDevice.type() > QTransform::TxTranslate || !isWhole(toDevice.dx()) || !isWhole(toDevice.dy())
        || toDevice.dx() < 0 || toDevice.dy() < 0 || p.compositionMode() != QPainter::CompositionMode_SourceOver
        || p.opacity() != 1.0 || p.brush().style() != Qt::NoBrush || p.testRenderHint(QPainter::Antialiasing)
        || qAlpha(colour) != 255) {
        forget();
        return false;
    }
    // The layer reaches from the device's origin to the far edges of the
    // painter's part of it (a widget's part of its window), so the rasterizer
    // clips lines to the same rectangle as on the device; the clip must lie
    // inside that part.
    const QRect deviceArea(QPoint(int(toDevice.dx()), int(toDevice.dy())), QSize(device->width(), device->height()));
    const Geometry geometry{deviceArea.x(), deviceArea.y(), QSize(deviceArea.right() + 1, deviceArea.bottom() + 1),
                            clip};
    const QRect area = toDevice.mapRect(clip).toAlignedRect();
    if (area.isEmpty() || !deviceArea.contains(area)) {
        forget();
        return false;
    }

    if (!(geometry == m_geometry)) {
        forget();
        m_geometry = geometry;
        m_area = area;
        m_rowWords = (area.width() + 63) / 64;
    }
    m_changed = QRegion();
    // The outline of a curve reaching past the painter's part of the device
    // is flattened and dashed there as far as the device reaches, which the
    // layer does not know: such curves are drawn at every paint.
    // An image painted from its origin is all the device there is: the
    // layer, the same size, flattens and dashes every curve as it does.
    const bool wholeDevice = device->devType() == QInternal::Image && deviceArea.topLeft().isNull();
    const QRectF inside = QRectF(deviceArea).adjusted(3, 3, -3, -3);
    const auto within = [&](const Curve &curve) {
        return wholeDevice || inside.contains(toDevice.mapRect(boundsOf(curve)));
    };
    bool changed = colour != m_colour || m_image.isNull() || lines.size() != m_lines.size();
    QImage layer; // one line at a time, in device coordinates; made when a line changed
    QMap<int, Kept> kept;
    for (auto line = lines.cbegin(); line != lines.cend(); ++line) {
        const auto old = m_lines.find(line.key());
        if (old != m_lines.end() && sameStrokes(old->strokes, line.value())) {
            kept.insert(line.key(), std::move(*old));
            continue;
        }
        changed = true;
        Kept fresh;
        Strokes rasterized = line.value();
        for (int type = 0; type < 4; ++type) {
            QList<Curve> &curves = rasterized.curved[type];
            if (std::all_of(curves.cbegin(), curves.cend(), within))
                continue;
            QList<Curve> shown;
            for (const Curve &curve : std::as_const(curves))
                (within(curve) ? shown : fresh.loose.curved[type]) << curve;
            curves = shown;
        }
        rasterize(layer, fresh, rasterized, stroke);
        fresh.strokes = line.value();
        kept.insert(line.key(), std::move(fresh));
    }
    m_lines = std::move(kept);
    if (changed)
        layDown(colour);
    return true;
}

void LinePixels::forget()
{
    // What the lines were drawn with instead is unknown: the next update starts afresh.
    m_lines.clear();
    m_image = QImage();
    m_covered.clear();
    m_geometry = {};
}

void LinePixels::drawKept(QPainter &p, const Stroke &stroke) const
{
    if (!m_lines.isEmpty())
        p.drawImage(QPointF(m_area.x() - m_geometry.dx, m_area.y() - m_geometry.dy), m_image);
    for (const Kept &line : std::as_const(m_lines)) {
        if (hasCurves(line.loose))
            stroke(p, line.loose);
    }
}

bool LinePixels::drawsLooseCurves() const
{
    return std::any_of(m_lines.cbegin(), m_lines.cend(), [](const Kept &line) { return hasCurves(line.loose); });
}

void LinePixels::rasterize(QImage &layer, Kept &kept, const Strokes &strokes, const Stroke &stroke) const
{
    if (layer.isNull()) {
        layer = QImage(m_geometry.device, QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
    } else {
        for (int y = m_area.top(); y <= m_area.bottom(); ++y)
            std::memset(layer.scanLine(y) + m_area.left() * 4, 0, m_area.width() * 4);
    }
    {
        QPainter q(&layer);
        q.setTransform(QTransform::fromTranslate(m_geometry.dx, m_geometry.dy));
        q.setClipRect(m_geometry.clip);
        q.setRenderHint(QPainter::Antialiasing, false);
        stroke(q, strokes);
    }
    kept.bits.assign(std::size_t(m_rowWords) * m_area.height(), 0);
    for (int y = 0; y < m_area.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(layer.constScanLine(m_area.top() + y)) + m_area.left();
        std::uint64_t *words = kept.bits.data() + std::size_t(y) * m_rowWords;
        for (int w = 0, x = 0; w < m_rowWords; ++w) {
            std::uint64_t word = 0;
            for (const int end = std::min(x + 64, m_area.width()); x < end; ++x)
                word |= std::uint64_t(row[x] != 0) << (x & 63);
            words[w] = word;
        }
    }
}

void LinePixels::layDown(QRgb colour)
{
    // A new colour or a fresh image changes every pixel; else only the
    // pixels some line came to cover or left, row by row.
    const bool afresh = colour != m_colour || m_image.size() != m_area.size() || m_covered.empty();
    m_colour = colour;
    if (m_image.size() != m_area.size())
        m_image = QImage(m_area.size(), QImage::Format_ARGB32_Premultiplied);
    m_covered.resize(std::size_t(m_rowWords) * m_area.height());
    const QPoint origin = m_area.topLeft() - QPoint(m_geometry.dx, m_geometry.dy);
    std::vector<QRect> changedRows;
    std::vector<std::uint64_t> row(m_rowWords);
    for (int y = 0; y < m_area.height(); ++y) {
        std::fill(row.begin(), row.end(), 0);
        for (const Kept &line : std::as_const(m_lines)) {
            const std::uint64_t *words = line.bits.data() + std::size_t(y) * m_rowWords;
            for (int w = 0; w < m_rowWords; ++w)
                row[w] |= words[w];
        }
        std::uint64_t *covered = m_covered.data() + std::size_t(y) * m_rowWords;
        int first = -1, last = -1;
        for (int w = 0; w < m_rowWords; ++w) {
            if (const std::uint64_t differ = row[w] ^ covered[w]) {
                if (first < 0)
                    first = w * 64 + std::countr_zero(differ);
                last = w * 64 + 63 - std::countl_zero(differ);
            }
        }
        if (first >= 0 && !afresh)
            changedRows.emplace_back(origin.x() + first, origin.y() + y, last - first + 1, 1);
        std::copy(row.begin(), row.end(), covered);
        QRgb *pixels = reinterpret_cast<QRgb *>(m_image.scanLine(y));
        for (int x = 0; x < m_area.width(); ++x)
            pixels[x] = row[x >> 6] >> (x & 63) & 1 ? colour : 0;
    }
    if (afresh)
        m_changed = QRegion(QRect(origin, m_area.size()));
    else
        m_changed.setRects(changedRows.data(), int(changedRows.size()));
}
