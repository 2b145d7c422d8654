#include "tests/tools/CatalogueReader.h"
#include "tools/DemoCatalogue.h"
#include "tools/DiagramTemplate.h"
#include "tools/InstallRootLayout.h"
#include "tools/ThumbnailPainter.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class TestDemoCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hasFiguresOfBothKindsInNamedGroups();
    void pointsAndLabelsAreNumberedAndJoined();
    void pointsLieInsideTheirDiagrams();
    void everyFigureHasItsThumbnail();
    void showsTheCatalogueFeatures();
    void refusesAnExistingCatalogueUnlessReplacing();
    void failedBuildLeavesNoCatalogue();

private:
    QTemporaryDir m_dir;
    QString m_root;
    QString m_catalogue;
};

void TestDemoCatalogue::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Built once; most checks only read it. The name holds what users' paths hold.
    m_root = m_dir.filePath(QStringLiteral("演示 根目录#%?"));
    QCOMPARE(DemoCatalogue::buildRoot(m_root, false), QString());
    m_catalogue = m_root + QStringLiteral("/dbase/system.mdb");
    QVERIFY(QFile::exists(m_catalogue));
    QVERIFY(!QFile::exists(m_catalogue + QStringLiteral(".new")));
}

void TestDemoCatalogue::hasFiguresOfBothKindsInNamedGroups()
{
    CatalogueReader db(m_catalogue);
    QVERIFY(db.isOpen());
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain")) >= 12);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE LB = 'B' AND th LIKE 'B___'")) >= 6);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE LB = 'T' AND th LIKE 'T___'")) >= 4);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE LB <> substr(th, 1, 1)")), 0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE grp NOT IN (SELECT grp FROM picType)")), 0);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(DISTINCT grp) FROM picMain")) >= 4);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picType WHERE grp NOT BETWEEN 1 AND 10 OR grpName = ''")), 0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE tm = '' OR figName = ''")), 0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE X7 NOT BETWEEN -1 AND 4 OR Y7 NOT BETWEEN -1 AND 4")), 0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE X2 <= X1 OR Y2 <= Y1")), 0);
}

void TestDemoCatalogue::pointsAndLabelsAreNumberedAndJoined()
{
    CatalogueReader db(m_catalogue);
    const auto figures = db.rows(QStringLiteral("SELECT th FROM picMain"));
    for (const QVariantList &figure : figures) {
        const QString th = figure.at(0).toString();
        const auto points = db.rows(QStringLiteral("SELECT ID, Series, L FROM pData WHERE th = '%1' ORDER BY ID").arg(th));
        const auto labels = db.rows(QStringLiteral("SELECT ID, Lbl FROM picLable WHERE th = '%1' ORDER BY ID").arg(th));
        QVERIFY2(!points.isEmpty(), qPrintable(th));
        QVERIFY2(!labels.isEmpty(), qPrintable(th));
        int previousSeries = 0;
        for (int i = 0; i < points.size(); ++i) {
            QCOMPARE(points[i][0].toInt(), i + 1);
            const int series = points[i][1].toInt();
            const int line = points[i][2].toInt();
            QVERIFY2(series >= 1 && series <= 16, qPrintable(th));
            // A series is one unbroken run; its first point is not joined to anything.
            QVERIFY2(series >= previousSeries, qPrintable(th));
            if (series != previousSeries)
                QVERIFY2(line == 0, qPrintable(QStringLiteral("%1 point %2").arg(th).arg(i + 1)));
            else
                QVERIFY2(line >= 1 && line <= 3, qPrintable(QStringLiteral("%1 point %2").arg(th).arg(i + 1)));
            previousSeries = series;
        }
        for (int i = 0; i < labels.size(); ++i) {
            QCOMPARE(labels[i][0].toInt(), i + 1);
            QVERIFY2(!labels[i][1].toString().trimmed().isEmpty(), qPrintable(th));
        }
    }
}

// Catches slips in the coordinate tables and in the ternary conversion.
void TestDemoCatalogue::pointsLieInsideTheirDiagrams()
{
    CatalogueReader db(m_catalogue);
    const double h = DiagramTemplate::kTriangleHeight;
    const auto triangular = db.rows(QStringLiteral(
        "SELECT d.th, d.ID, d.X, d.Y FROM pData d JOIN picMain m ON m.th = d.th WHERE m.LB = 'T'"));
    QVERIFY(!triangular.isEmpty());
    for (const QVariantList &p : triangular) {
        const double x = p[2].toDouble();
        const double y = p[3].toDouble();
        const bool inside = y >= -0.01 && y <= h + 0.01 && y <= x * h / 50 + 0.01 && y <= (100 - x) * h / 50 + 0.01;
        QVERIFY2(inside, qPrintable(QStringLiteral("%1 point %2 (%3, %4)").arg(p[0].toString()).arg(p[1].toInt()).arg(x).arg(y)));
    }

    const auto cartesian = db.rows(QStringLiteral(
        "SELECT d.th, d.ID, d.X, d.Y, m.X1, m.X2, m.Y1, m.Y2, m.X6, m.Y6 FROM pData d "
        "JOIN picMain m ON m.th = d.th WHERE m.LB = 'B'"));
    QVERIFY(!cartesian.isEmpty());
    for (const QVariantList &p : cartesian) {
        const QString where = QStringLiteral("%1 point %2").arg(p[0].toString()).arg(p[1].toInt());
        const double x = p[2].toDouble(), y = p[3].toDouble();
        QVERIFY2(x >= p[4].toDouble() - 1e-9 && x <= p[5].toDouble() + 1e-9, qPrintable(where));
        QVERIFY2(y >= p[6].toDouble() - 1e-9 && y <= p[7].toDouble() + 1e-9, qPrintable(where));
        if (p[8].toBool())
            QVERIFY2(p[4].toDouble() > 0, qPrintable(where));
        if (p[9].toBool())
            QVERIFY2(p[6].toDouble() > 0, qPrintable(where));
    }
}

void TestDemoCatalogue::everyFigureHasItsThumbnail()
{
    CatalogueReader db(m_catalogue);
    const QString dir = m_root + QStringLiteral("/Diagram/MiniMap");
    const auto figures = db.rows(QStringLiteral("SELECT figName FROM picMain"));
    for (const QVariantList &figure : figures) {
        const QString name = figure.at(0).toString() + QStringLiteral(".gif");
        const QString path = findIgnoringCase(dir, name);
        QVERIFY2(!path.isEmpty(), qPrintable(name));
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), QByteArray("gif"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), ThumbnailPainter::kSize);
        // Frame, lines and labels were drawn, not just a blank page.
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        int inked = 0;
        for (int y = 0; y < rgb.height(); ++y)
            for (int x = 0; x < rgb.width(); ++x)
                inked += rgb.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY2(inked > 1000, qPrintable(name));
    }
    // No strays: one picture per figure.
    QCOMPARE(QDir(dir).entryList(QDir::Files).size(), figures.size());
}

void TestDemoCatalogue::showsTheCatalogueFeatures()
{
    CatalogueReader db(m_catalogue);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE specialCase IS NULL")) >= 2);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE Comment IS NULL")) >= 1);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE Vector = 1")) >= 1);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE Bitmap = 1")) >= 1);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE X6 = 1 OR Y6 = 1")) >= 2);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM pData WHERE curve = 1")) >= 1);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM pData WHERE L IN (2, 3)")) >= 1);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picLable WHERE instr(Lbl, char(10)) > 0")) >= 1);

    QStringList byNumber, byName;
    for (const QVariantList &r : db.rows(QStringLiteral("SELECT th FROM picMain ORDER BY th")))
        byNumber << r[0].toString();
    for (const QVariantList &r : db.rows(QStringLiteral("SELECT th FROM picMain ORDER BY figName")))
        byName << r[0].toString();
    QVERIFY(byNumber != byName);

    // One thumbnail is stored under an upper-case name.
    const QStringList files = QDir(m_root + QStringLiteral("/Diagram/MiniMap")).entryList(QDir::Files);
    QVERIFY(std::any_of(files.begin(), files.end(), [](const QString &f) { return f.endsWith(QStringLiteral(".GIF")); }));
}

void TestDemoCatalogue::refusesAnExistingCatalogueUnlessReplacing()
{
    const QString root = m_dir.filePath(QStringLiteral("替换 测试"));
    InstallRootLayout layout(root);
    QCOMPARE(DemoCatalogue::buildRoot(root, false), QString());

    // Mark the catalogue and leave an old picture behind.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mark"));
        db.setDatabaseName(layout.cataloguePath());
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("INSERT INTO picMain (th, LB) VALUES ('B999', 'B')")));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mark"));
    QFile stray(layout.thumbnailPath(QStringLiteral("OLD.GIF")));
    QVERIFY(stray.open(QIODevice::WriteOnly));
    stray.close();

    const QString refusal = DemoCatalogue::buildRoot(root, false);
    QVERIFY(!refusal.isEmpty());
    QVERIFY(!refusal.contains(QLatin1Char('\n')));
    {
        CatalogueReader db(layout.cataloguePath());
        QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE th = 'B999'")), 1);
    }
    QVERIFY(QFile::exists(stray.fileName()));

    QCOMPARE(DemoCatalogue::buildRoot(root, true), QString());
    {
        CatalogueReader db(layout.cataloguePath());
        QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE th = 'B999'")), 0);
        QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain")) >= 12);
    }
    QVERIFY(!QFile::exists(stray.fileName()));
    QVERIFY(!findIgnoringCase(layout.thumbnailDir(), QStringLiteral("BP001.gif")).isEmpty());
}

void TestDemoCatalogue::failedBuildLeavesNoCatalogue()
{
    const QString root = m_dir.filePath(QStringLiteral("坏的根"));
    // A file where the thumbnail folder should be makes the build fail late.
    QVERIFY(QDir().mkpath(root + QStringLiteral("/Diagram")));
    QFile blocker(root + QStringLiteral("/Diagram/MiniMap"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QVERIFY(!DemoCatalogue::buildRoot(root, false).isEmpty());
    QVERIFY(!QFile::exists(root + QStringLiteral("/dbase/system.mdb")));
    QVERIFY(!QFile::exists(root + QStringLiteral("/dbase/system.mdb.new")));
}

QTEST_MAIN(TestDemoCatalogue)
#include "tst_demo_catalogue.moc"
