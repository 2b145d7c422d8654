#include "tests/support/GifFile.h"

#include <QFile>

#include <gif_lib.h>

GifFile readGif(const QString &path)
{
    GifFile read;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        read.signature = file.read(6);
    int code = 0;
    GifFileType *gif = DGifOpenFileName(QFile::encodeName(path).constData(), &code);
    if (!gif) {
        read.error = GifErrorString(code);
        return read;
    }
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) {
        read.error = GifErrorString(gif->Error);
    } else {
        const SavedImage &frame = gif->SavedImages[0];
        const ColorMapObject *map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
        const int width = frame.ImageDesc.Width;
        read.image = QImage(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
        read.image.fill(Qt::black);
        for (int y = 0; y < frame.ImageDesc.Height; ++y) {
            for (int x = 0; x < width; ++x) {
                const GifColorType c = map->Colors[frame.RasterBits[y * width + x]];
                read.image.setPixel(frame.ImageDesc.Left + x, frame.ImageDesc.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        }
    }
    DGifCloseFile(gif, &code);
    return read;
}
