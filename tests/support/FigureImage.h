#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>

#include <cmath>

// Reading a painted figure back: line ink is bluish, any ink darker than light grey.
inline bool isLine(QRgb c)
{
    return qBlue(c) > qRed(c) + 40;
}

inline bool isInk(QRgb c)
{
    return qGray(c) < 200;
}

// Whether a pixel within `radius` of `at` passes `test`.
template <typename Test>
bool near(const QImage &image, QPointF at, Test test, int radius = 2)
{
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p(static_cast<int>(std::lround(at.x())) + dx, static_cast<int>(std::lround(at.y())) + dy);
            if (image.rect().contains(p) && test(image.pixel(p)))
                return true;
        }
    }
    return false;
}

inline int inkedIn(const QImage &image, const QRectF &box)
{
    int n = 0;
    const QRect r = box.toAlignedRect() & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += isInk(image.pixel(x, y));
    return n;
}
