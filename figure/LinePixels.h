#pragma once

#include <QImage>
#include <QLineF>
#include <QList>
#include <QMap>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <QTransform>

#include <cstdint>
#include <functional>
#include <vector>

class QPainter;

// The pixels that a figure's unsmoothed lines cover, kept per line number
// between paints: rasterizing the lines of a 10,000-point figure costs about
// as much as drawing its labels, and an edit moves one line. Unsmoothed lines
// are opaque and of one colour, so a pixel shows that colour when any line
// covers it, in whatever order the lines are drawn. Each line is rasterized on
// its own onto a clear layer exactly as it would be onto the figure (the same
// device coordinates, clip and pens), and the pixels of all lines are laid
// down as one image.
class LinePixels
{
public:
    // A Catmull-Rom piece as the cubic it is drawn as.
    struct Curve
    {
        QPointF from, c1, c2, to;
    };
    // One line's pieces by line type, LineType's values indexing them.
    struct Strokes
    {
        QList<QLineF> straight[4];
        QList<Curve> curved[4];
    };
    // Draws `strokes` with `p`, setting the pens.
    using Stroke = std::function<void(QPainter &p, const Strokes &strokes)>;

    // Draws `lines` in `colour` as `stroke` would draw each onto `p`, unsmoothed
    // and clipped to `clip` (in `p`'s coordinates, set on `p`). A line whose
    // pieces are bit for bit those of the last paint, on the same place of the
    // device, is not rasterized again. False, with nothing drawn, when `p`
    // does not draw onto whole pixels of a 32-bit device, unscaled and with no
    // fill: `stroke` draws then.
    bool draw(QPainter &p, const QRectF &clip, const QMap<int, Strokes> &lines, QRgb colour,
              const Stroke &stroke);

    // draw() in two steps: the kept pixels brought up to `lines` for `p`
    // (false as draw() refuses, with nothing kept), then drawn onto it.
    bool update(const QPainter &p, const QRectF &clip, const QMap<int, Strokes> &lines, QRgb colour,
                const Stroke &stroke);
    void drawKept(QPainter &p, const Stroke &stroke) const;
    // Where, in the painter's coordinates, the last update() changed the
    // pixels the lines cover: all of their area when it started afresh.
    const QRegion &changed() const { return m_changed; }
    // Whether some curve reaches past the painter's part of the device: such
    // curves are drawn at every paint, not kept.
    bool drawsLooseCurves() const;

private:
    struct Geometry
    {
        int dx = 0, dy = 0; // device pixels of the painter's origin
        QSize device;       // in device pixels, from the origin of the device
        QRectF clip;
        bool operator==(const Geometry &other) const;
    };
    struct Kept
    {
        Strokes strokes; // as given, the pixels standing for all but `loose`
        Strokes loose;   // drawn at every paint
        std::vector<std::uint64_t> bits; // covered pixels of m_area, by rows
    };

    // Rasterizes `strokes` alone onto `layer`, made at first, into `kept`'s pixels.
    void rasterize(QImage &layer, Kept &kept, const Strokes &strokes, const Stroke &stroke) const;
    void layDown(QRgb colour);
    void forget();

    Geometry m_geometry;
    QRect m_area; // device pixels the clip lets lines cover
    int m_rowWords = 0;
    QMap<int, Kept> m_lines;
    QImage m_image; // all lines over m_area
    std::vector<std::uint64_t> m_covered; // the pixels m_image covers, by rows
    QRgb m_colour = 0;
    QRegion m_changed;
};
