#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Writes images as GIF through giflib, since Qt can read GIF but not write it.
// Images with at most 256 colours keep them exactly; others are mapped to a
// fixed palette of a colour cube plus a grey ramp, which suits line drawings
// with anti-aliased text.
class GifWriter
{
public:
    // The GIF file contents; empty with *error set on failure.
    static QByteArray encode(const QImage &image, QString *error = nullptr);
    // Writes the file; returns an empty text on success, else the reason.
    static QString write(const QImage &image, const QString &path);
    static QString writeBytes(const QByteArray &gif, const QString &path);

    // The 8-bit palette image that encode() stores.
    static QImage toIndexed(const QImage &image);
};
