#include "tools/GifWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

QImage readGif(const QString &path, QByteArray *format = nullptr)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (format)
        *format = reader.format();
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

double colourDistance(QRgb a, QRgb b)
{
    return std::hypot(qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b));
}

} // namespace

class TestGifWriter : public QObject
{
    Q_OBJECT

private slots:
    void fewColoursComeBackExactly();
    void manyColoursComeBackClose();
    void transparencyTurnsWhite();
    void failuresAreReported();

private:
    QTemporaryDir m_dir;
};

// Odd sizes catch row-padding mistakes: Indexed8 rows are padded to 4 bytes.
void TestGifWriter::fewColoursComeBackExactly()
{
    QImage image(37, 23, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (x < 9)
                image.setPixel(x, y, qRgb(200, 10, 10));
            else if (y < 5)
                image.setPixel(x, y, qRgb(10, 150, 30));
            else if ((x + y) % 7 == 0)
                image.setPixel(x, y, qRgb(20, 40, 220));
        }
    const QString path = m_dir.filePath(QStringLiteral("few.gif"));
    QCOMPARE(GifWriter::write(image, path), QString());

    QByteArray format;
    const QImage back = readGif(path, &format);
    QCOMPARE(format, QByteArray("gif"));
    QCOMPARE(back.size(), image.size());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(back.pixel(x, y), image.pixel(x, y));
}

void TestGifWriter::manyColoursComeBackClose()
{
    // A drawing with anti-aliased text and a colour ramp has far more than 256 colours.
    QImage image(393, 337, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        for (int x = 0; x < 256; ++x) {
            p.setPen(QColor(x, 255 - x, (x * 3) % 256));
            p.drawLine(x, 0, x, 60);
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x1d, 0x4e, 0x9a), 1.5));
        p.drawEllipse(QRectF(40, 90, 300, 200));
        p.setPen(Qt::black);
        p.drawText(QPointF(60, 200), QStringLiteral("玄武岩 SiO2"));
    }
    const QByteArray gif = GifWriter::encode(image);
    QVERIFY(!gif.isEmpty());
    QImage back = QImage::fromData(gif, "GIF").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(back.size(), image.size());

    double total = 0;
    double worst = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double d = colourDistance(back.pixel(x, y), image.pixel(x, y));
            worst = std::max(worst, d);
            total += d;
        }
    // The fixed palette's cube has steps of 51, so no colour is farther than
    // half a cube diagonal from its nearest entry.
    QVERIFY2(worst <= 44.2, qPrintable(QStringLiteral("worst colour error %1").arg(worst)));
    QVERIFY2(total / (image.width() * image.height()) < 3.0, qPrintable(QString::number(total)));
    QCOMPARE(back.pixel(380, 330), qRgb(255, 255, 255));
}

void TestGifWriter::transparencyTurnsWhite()
{
    QImage image(10, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(2, 2, qRgba(0, 0, 0, 255));
    const QImage back = QImage::fromData(GifWriter::encode(image), "GIF").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(back.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(back.pixel(2, 2), qRgb(0, 0, 0));
}

void TestGifWriter::failuresAreReported()
{
    QString error;
    QVERIFY(GifWriter::encode(QImage(), &error).isEmpty());
    QVERIFY(!error.isEmpty());

    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = m_dir.filePath(QStringLiteral("没有的目录/x.gif"));
    QVERIFY(!GifWriter::write(image, path).isEmpty());
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestGifWriter)
#include "tst_gif_writer.moc"
