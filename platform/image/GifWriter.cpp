#include "platform/image/GifWriter.h"

#include "platform/image/PaletteQuantiser.h"

#include <QFile>
#include <QSaveFile>

#include <gif_lib.h>

#include <memory>

namespace {

int appendToBuffer(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

// Qt takes a short write (a full disk, a file size limit) for a whole one
// when it flushes its buffer, and the file ends cut off with no error: the
// file is opened unbuffered and written until every byte is in or the
// system says why not.
bool writeWhole(QFileDevice &file, const QByteArray &bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

QString gifError(int code)
{
    return QStringLiteral("GIF 编码失败（giflib 错误码 %1）").arg(code);
}

} // namespace

QByteArray GifWriter::encode(const QImage &image, QString *error)
{
    auto failed = [error](const QString &why) {
        if (error)
            *error = why;
        return QByteArray();
    };
    if (image.isNull() || image.width() > 0xffff || image.height() > 0xffff)
        return failed(QStringLiteral("图像为空或过大，无法写成 GIF"));

    const QImage indexed = PaletteQuantiser::toIndexed(image);
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
    EGifSetGifVersion(gif, true); // GIF89a, as the host's own thumbnails are

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
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) || !writeWhole(file, gif)) {
        const QString reason = file.errorString();
        file.close();
        file.remove();
        return QStringLiteral("无法写入缩略图 %1：%2").arg(path, reason);
    }
    return {};
}

QString GifWriter::replace(const QImage &image, const QString &path)
{
    QString error;
    const QByteArray gif = encode(image, &error);
    if (gif.isEmpty())
        return error;
    return replaceBytes(gif, path);
}

QString GifWriter::replaceBytes(const QByteArray &gif, const QString &path)
{
    // Written beside the old file and renamed over it, so a failure at any
    // point leaves the old picture whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeWhole(file, gif) || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return QStringLiteral("无法写入缩略图 %1：%2").arg(path, reason);
    }
    return {};
}
