#include "platform/image/PaletteQuantiser.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace {

constexpr int kPaletteSize = 256;
// A colour covering at least 1/200 of the pixels is flat; at most this many keep their place.
constexpr int kMostFlatColours = 64;
constexpr qint64 kFlatShare = 200;

struct ColourCount
{
    QRgb colour;
    qint64 count;
};

int channel(QRgb c, int which)
{
    return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c);
}

QImage flattenedOnWhite(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage rgb(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        QRgb *dst = reinterpret_cast<QRgb *>(rgb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(src[x]);
            auto mix = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
            dst[x] = qRgb(mix(qRed(src[x])), mix(qGreen(src[x])), mix(qBlue(src[x])));
        }
    }
    return rgb;
}

QHash<QRgb, qint64> histogram(const QImage &rgb)
{
    QHash<QRgb, qint64> counts;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[line[x] | 0xff000000u];
    }
    return counts;
}

// Splits the colours into at most `boxes` boxes, each time the box whose
// widest channel spread weighs most in pixels, at its pixel-weighted median;
// each box gives the pixel-weighted mean of its colours.
QList<QRgb> medianCut(std::vector<ColourCount> colours, int boxes)
{
    struct Box
    {
        size_t begin, end;
        int widestChannel = 0;
        qint64 weight = 0; // spread of the widest channel times the pixels
    };
    auto measured = [&colours](size_t begin, size_t end) {
        Box box{begin, end};
        std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
        qint64 pixels = 0;
        for (size_t i = begin; i < end; ++i) {
            pixels += colours[i].count;
            for (int c = 0; c < 3; ++c) {
                low[c] = std::min(low[c], channel(colours[i].colour, c));
                high[c] = std::max(high[c], channel(colours[i].colour, c));
            }
        }
        for (int c = 0; c < 3; ++c) {
            if (high[c] - low[c] > high[box.widestChannel] - low[box.widestChannel])
                box.widestChannel = c;
        }
        box.weight = end - begin > 1 ? pixels * (high[box.widestChannel] - low[box.widestChannel]) : 0;
        return box;
    };
    std::vector<Box> list{measured(0, colours.size())};
    while (int(list.size()) < boxes) {
        auto heaviest = std::max_element(list.begin(), list.end(),
                                         [](const Box &a, const Box &b) { return a.weight < b.weight; });
        if (heaviest->weight == 0)
            break; // every box holds one colour
        const Box box = *heaviest;
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [c = box.widestChannel](const ColourCount &a, const ColourCount &b) {
                      return channel(a.colour, c) < channel(b.colour, c);
                  });
        qint64 total = 0;
        for (size_t i = box.begin; i < box.end; ++i)
            total += colours[i].count;
        size_t split = box.begin;
        for (qint64 below = 0; split < box.end && 2 * below < total; ++split)
            below += colours[split].count;
        split = std::clamp(split, box.begin + 1, box.end - 1);
        *heaviest = measured(box.begin, split);
        list.push_back(measured(split, box.end));
    }
    QList<QRgb> palette;
    for (const Box &box : list) {
        std::array<qint64, 3> sum{0, 0, 0};
        qint64 pixels = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            pixels += colours[i].count;
            for (int c = 0; c < 3; ++c)
                sum[c] += channel(colours[i].colour, c) * colours[i].count;
        }
        palette << qRgb(int((sum[0] + pixels / 2) / pixels), int((sum[1] + pixels / 2) / pixels),
                        int((sum[2] + pixels / 2) / pixels));
    }
    return palette;
}

QList<QRgb> reducedPalette(const QHash<QRgb, qint64> &counts, qint64 pixels)
{
    std::vector<ColourCount> colours;
    colours.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        colours.push_back({it.key(), it.value()});
    std::sort(colours.begin(), colours.end(), [](const ColourCount &a, const ColourCount &b) {
        return a.count != b.count ? a.count > b.count : a.colour < b.colour;
    });
    QList<QRgb> palette;
    size_t flat = 0;
    while (flat < colours.size() && flat < size_t(kMostFlatColours) && colours[flat].count * kFlatShare >= pixels)
        palette << colours[flat++].colour;
    colours.erase(colours.begin(), colours.begin() + flat);
    palette << medianCut(std::move(colours), kPaletteSize - int(palette.size()));
    return palette;
}

int nearest(const QList<QRgb> &palette, QRgb colour)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < palette.size() && bestDistance > 0; ++i) {
        const int dr = qRed(palette[i]) - qRed(colour), dg = qGreen(palette[i]) - qGreen(colour),
                  db = qBlue(palette[i]) - qBlue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

QImage PaletteQuantiser::toIndexed(const QImage &image)
{
    const QImage rgb = flattenedOnWhite(image);
    const QHash<QRgb, qint64> counts = histogram(rgb);
    QList<QRgb> palette;
    if (counts.size() <= kPaletteSize) {
        palette = counts.keys();
        std::sort(palette.begin(), palette.end());
    } else {
        palette = reducedPalette(counts, qint64(rgb.width()) * rgb.height());
    }
    QHash<QRgb, uchar> index;
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = line[x] | 0xff000000u;
            auto found = index.constFind(colour);
            if (found == index.cend())
                found = index.insert(colour, uchar(nearest(palette, colour)));
            out[x] = *found;
        }
    }
    return indexed;
}
