#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A GIF file as giflib reads it, not Qt: its signature ("GIF89a"), its screen
// size, and the pixels of its first frame; empty with `error` set when
// giflib cannot read it.
struct GifFile
{
    QByteArray signature;
    QImage image;
    QString error;
};

GifFile readGif(const QString &path);
