// GIF files written through giflib and read back by giflib itself: size and
// colours kept, flat colours exact even past 256 colours, and a failed
// replacement leaving the old file whole.
#include "platform/image/GifWriter.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/GifFile.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr QRgb kRed = qRgb(200, 30, 30); // on no colour cube: a fixed palette would move it

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The largest difference in any channel between the pixels of a and b where `where` holds.
template <typename Where>
int largestDifference(const QImage &a, const QImage &b, Where where)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!where(x, y))
                continue;
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

} // namespace

class GifWriterTest : public QObject
{
    Q_OBJECT

private slots:
    void fewColoursComeBackExactly()
    {
        QImage image(37, 23, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.fillRect(3, 4, 10, 6, QColor(kRed));
        p.fillRect(20, 2, 1, 19, Qt::black);
        p.end();
        image.setPixel(30, 10, qRgba(0, 0, 255, 0)); // transparent: white, as GIF has no partial alpha
        QTemporaryDir dir;
        const QString path = dir.filePath("few.gif");
        QCOMPARE(GifWriter::replace(image, path), QString());

        const GifFile read = readGif(path);
        QCOMPARE(read.error, QString());
        QCOMPARE(read.signature, QByteArray("GIF89a"));
        QCOMPARE(read.image.size(), QSize(37, 23));
        QImage expected = image.convertToFormat(QImage::Format_RGB32);
        expected.setPixel(30, 10, qRgb(255, 255, 255));
        QCOMPARE(largestDifference(read.image, expected, [](int, int) { return true; }), 0);
        QCOMPARE(QImage(path).size(), QSize(37, 23)); // and Qt reads it too
    }

    void manyColoursKeepTheFlatOnesExactly()
    {
        // White, a red fill, and a band of 4,000 shades as anti-aliasing makes them.
        QImage image(100, 80, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 100; ++x)
                image.setPixel(x, y, y < 20 ? kRed : qRgb(x * 255 / 99, (y - 20) * 12, (x * 7 + y * 3) % 256));
        QTemporaryDir dir;
        const QString path = dir.filePath("many.gif");
        QCOMPARE(GifWriter::replace(image, path), QString());

        const GifFile read = readGif(path);
        QCOMPARE(read.error, QString());
        QCOMPARE(read.image.size(), image.size());
        QCOMPARE(largestDifference(read.image, image, [](int, int y) { return y < 20 || y >= 40; }), 0);
        const int shades = largestDifference(read.image, image, [](int, int y) { return y >= 20 && y < 40; });
        QVERIFY2(shades <= 40, qPrintable(QString::number(shades)));
    }

    void aFailedReplacementLeavesTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("kept.gif");
        QImage image(120, 90, QImage::Format_RGB32);
        image.fill(kRed);
        QCOMPARE(GifWriter::replace(image, path), QString());
        const QByteArray before = contents(path);

        QImage noise(120, 90, QImage::Format_RGB32);
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 120; ++x)
                noise.setPixel(x, y, qRgb(x * 2, y * 2, (x * y) % 256)); // compresses badly
        QString failure;
        {
            const FileSizeLimit limit(before.size() + 16);
            failure = GifWriter::replace(noise, path);
        }
        QVERIFY2(failure.contains("kept.gif") && failure.contains("large"), qPrintable(failure));
        QCOMPARE(contents(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.gif"});

        // A folder that is no folder: the cause is named.
        QFile(dir.filePath("notAFolder")).open(QIODevice::WriteOnly);
        failure = GifWriter::replace(image, dir.filePath("notAFolder/x.gif"));
        QVERIFY2(failure.contains("x.gif") && failure.contains("directory", Qt::CaseInsensitive), qPrintable(failure));
    }
};

QTEST_MAIN(GifWriterTest)
#include "tst_gif_writer.moc"
