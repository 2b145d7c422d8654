#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Writes images as GIF89a through giflib, since Qt can read GIF but not write
// it; the colours are those PaletteQuantiser keeps.
class GifWriter
{
public:
    // The GIF file contents; empty with *error set on failure.
    static QByteArray encode(const QImage &image, QString *error = nullptr);
    // Write the file; return an empty text on success, else the reason.
    // A plain write, for files made in bulk in a fresh folder.
    static QString write(const QImage &image, const QString &path);
    static QString writeBytes(const QByteArray &gif, const QString &path);
    // Through a temporary file in the same folder renamed over `path`, so a
    // failure leaves the file that stood there.
    static QString replace(const QImage &image, const QString &path);
    static QString replaceBytes(const QByteArray &gif, const QString &path);
};
