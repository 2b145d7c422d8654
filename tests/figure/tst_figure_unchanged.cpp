// The painter draws every demo figure, and the benchmark's figures of 10,000
// points and labels, bit for bit as the reference renderings do: the
// painter's speed work must not move a pixel. The reference is a hash of the
// renderings the painter gave before that work, at the sizes the tests use,
// painted once fresh and once again from the label texts kept by the first.
#include "figure/FigurePainter.h"
#include "tools/DemoDiagrams.h"
#include "tools/SyntheticCatalogue.h"

#include <QCryptographicHash>
#include <QFontDatabase>
#include <QTest>

namespace {

// What the reference renderings were made with; other fonts or another
// rasterizer draw other pixels.
constexpr const char *kReferenceQt = "6.4.2";
const QString kReferenceFont = QStringLiteral("Noto Sans CJK SC");

const QList<QSize> kDemoSizes = {{640, 540}, {640, 480}, {640, 420}, {800, 650}, {900, 1000}, {1908, 1150}};
// The preview's canvas in the benchmark, and the painter tests' size.
const QList<QSize> kLargeSizes = {{628, 588}, {640, 540}};

void addImage(QCryptographicHash &hash, const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4));
}

// One hash over the figure at every size, each painted fresh and then from kept texts.
QByteArray renderingHash(const FigureDrawing &figure, const QList<QSize> &sizes)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QSize size : sizes) {
        LabelTexts texts;
        const QImage fresh = FigurePainter(figure, size, &texts).paint();
        const QImage again = FigurePainter(figure, size, &texts).paint();
        if (again != fresh)
            return "kept texts draw differently at " + QByteArray::number(size.width()) + 'x'
                   + QByteArray::number(size.height());
        addImage(hash, fresh);
    }
    return hash.result().toHex();
}

} // namespace

class FigureUnchangedTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qstrcmp(qVersion(), kReferenceQt) != 0 || !QFontDatabase::hasFamily(kReferenceFont))
            QSKIP("the reference renderings were made with Qt 6.4.2 and the Noto CJK fonts");
    }

    void demoFiguresDrawAsTheReference_data()
    {
        QTest::addColumn<QString>("figure");
        QTest::addColumn<QByteArray>("reference");
        const QHash<QString, QByteArray> reference = {
            {"B001", "2b819efa39aa7c74ab59bbb007922666940cd940"},
            {"B002", "6548c7bc22197a44e90bd7e20fb8100a81617f0f"},
            {"B003", "16ff0848f4dc1e4749be03e5db0c1d7bb730d3a6"},
            {"B004", "f7961498b348fa48280cad2f0d710088738aae6d"},
            {"B005", "b3fddc1e9062e6873ca8a8faa42d7ca3078ec1d6"},
            {"B006", "a5b39473fe7100de65fb93ca8b5c59494a741b8f"},
            {"B007", "f3858259474955c717526248577bc78e952f7a15"},
            {"B008", "6dc561f6d86d3fe6f0c7eb7cbc0f3967f7c72bb3"},
            {"B009", "6bc73b48f8edc204abd087b7f493b7ee597db157"},
            {"B010", "8caf574f53a659b1910f976076e47be215c4e4ff"},
            {"B011", "8d906ec5c60a018c92e6fee17c2ecba09ad98a18"},
            {"T001", "247b000e6c79474520e851ddcd0b18fee07ab137"},
            {"T002", "b3b199cf2a545386394912c8cb1d7cc82079b39f"},
            {"T003", "6c437eb925469b2e394465bce08c2e1056ffdf49"},
            {"T004", "6bc16b5a3d2316939ca78973476eccfc7d5fc7c4"},
            {"T005", "de63ec43a15bfa96d6f40d19f567273a0ee839e2"},
            {"T006", "a73d98556ead2aec464a262269417d8e90e6cba2"},
            {"T007", "a8ce3b15609cb87b03efa234bef197a96d24e7f1"},
        };
        for (const DiagramTemplate &figure : DemoDiagrams::all())
            QTest::newRow(qPrintable(figure.number)) << figure.number << reference.value(figure.number);
    }
    void demoFiguresDrawAsTheReference()
    {
        QFETCH(QString, figure);
        QFETCH(QByteArray, reference);
        for (const DiagramTemplate &diagram : DemoDiagrams::all()) {
            if (diagram.number == figure)
                QCOMPARE(renderingHash(diagram, kDemoSizes), reference);
        }
    }

    void largeFiguresDrawAsTheReference_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("reference");
        QTest::newRow("Cartesian") << 0 << QByteArray("c14a8227f25b068dd7163dd9f9648f57236dadac");
        QTest::newRow("triangular") << 2 << QByteArray("4a99d17297deb336b08c3636b5ac314b954854f5");
    }
    void largeFiguresDrawAsTheReference()
    {
        // The benchmark's figures: lines past the smoothing limit, labels overlapping.
        QFETCH(int, index);
        QFETCH(QByteArray, reference);
        SyntheticOptions options;
        options.figures = 3;
        options.points = 10000;
        options.labels = 10000;
        QCOMPARE(renderingHash(SyntheticCatalogue(options).figure(index), kLargeSizes), reference);
    }
};

QTEST_MAIN(FigureUnchangedTest)
#include "tst_figure_unchanged.moc"
