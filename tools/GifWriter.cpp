#include "tools/GifWriter.h"

#include <QHash>
#include <QList>
#include <QFile>

#include <gif_lib.h>

#include <algorithm>
#include <memory>

namespace {

int appendToBuffer(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

QList<QRgb> fixedPalette()
{
    QList<QRgb> palette;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette << qRgb(r * 51, g * 51, b * 51);
    // Greys between the cube's six levels, for smooth text edges.
    for (int i = 0; i < 40; ++i) {
        const int v = 6 + i * 249 / 39;
        if (v % 51 != 0)
            palette << qRgb(v, v, v);
    }
    return palette;
}

QString gifError(int code)
{
    return QStringLiteral("GIF 编码失败（giflib 错误码 %1）").arg(code);
}

} // namespace

QImage GifWriter::toIndexed(const QImage &image)
{
    // GIF has no partial transparency: flatten onto white first.
    QImage rgb(image.size(), QImage::Format_RGB32);
    rgb.fill(Qt::white);
    if (image.hasAlphaChannel()) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            const QRgb *src = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
            QRgb *dst = reinterpret_cast<QRgb *>(rgb.scanLine(y));
            for (int x = 0; x < argb.width(); ++x) {
                const int a = qAlpha(src[x]);
                auto mix = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
                dst[x] = qRgb(mix(qRed(src[x])), mix(qGreen(src[x])), mix(qBlue(src[x])));
            }
        }
    } else {
        rgb = image.convertToFormat(QImage::Format_RGB32);
    }

    QHash<QRgb, int> seen;
    for (int y = 0; y < rgb.height() && seen.size() <= 256; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width() && seen.size() <= 256; ++x)
            seen.insert(line[x] | 0xff000000u, 0);
    }
    if (seen.size() <= 256) {
        QList<QRgb> exact = seen.keys();
        std::sort(exact.begin(), exact.end());
        return rgb.convertToFormat(QImage::Format_Indexed8, exact, Qt::ThresholdDither);
    }
    static const QList<QRgb> palette = fixedPalette();
    return rgb.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

QByteArray GifWriter::encode(const QImage &image, QString *error)
{
    auto failed = [error](const QString &why) {
        if (error)
            *error = why;
        return QByteArray();
    };
    if (image.isNull() || image.width() > 0xffff || image.height() > 0xffff)
        return failed(QStringLiteral("图像为空或过大，无法写成 GIF"));

    const QImage indexed = toIndexed(image);
    const QList<QRgb> table = indexed.colorTable();

    // giflib wants a colour map whose size is a power of two.
    int bits = 1;
    while ((1 << bits) < table.size())
        ++bits;
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject *)> map(GifMakeMapObject(1 << bits, nullptr),
                                                                      GifFreeMapObject);
    if (!map)
        return failed(QStringLiteral("GIF 调色板内存不足"));
    for (int i = 0; i < (1 << bits); ++i) {
        const QRgb c = i < table.size() ? table.at(i) : qRgb(0, 0, 0);
        map->Colors[i] = GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }

    QByteArray out;
    int code = 0;
    GifFileType *gif = EGifOpen(&out, appendToBuffer, &code);
    if (!gif)
        return failed(gifError(code));

    bool ok = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), bits, 0, map.get()) == GIF_OK
              && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < indexed.height(); ++y) {
        // giflib takes a non-const row but only reads it.
        auto *row = const_cast<GifPixelType *>(indexed.constScanLine(y));
        ok = EGifPutLine(gif, row, indexed.width()) == GIF_OK;
    }
    const int putError = gif->Error;
    int closeError = 0;
    const bool closed = EGifCloseFile(gif, &closeError) == GIF_OK;
    if (!ok)
        return failed(gifError(putError));
    if (!closed)
        return failed(gifError(closeError));
    return out;
}

QString GifWriter::write(const QImage &image, const QString &path)
{
    QString error;
    const QByteArray gif = encode(image, &error);
    if (gif.isEmpty())
        return error;
    return writeBytes(gif, path);
}

QString GifWriter::writeBytes(const QByteArray &gif, const QString &path)
{
    // A plain write: thumbnails are made in bulk for fresh roots, where a
    // sync per file would cost far more than it protects.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(gif) != gif.size()) {
        const QString reason = file.errorString();
        file.close();
        file.remove();
        return QStringLiteral("无法写入缩略图 %1：%2").arg(path, reason);
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("无法写入缩略图 %1：%2").arg(path, file.errorString());
    return {};
}
