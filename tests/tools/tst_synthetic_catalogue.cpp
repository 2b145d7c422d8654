#include "tests/tools/CatalogueReader.h"
#include "tools/CatalogueSchema.h"
#include "tools/SyntheticCatalogue.h"

#include <QDir>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestSyntheticCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void countsFollowTheOptions();
    void everyColumnIsFilled();
    void numbersAreUniqueAndFiguresRepeatable();
    void thumbnailsOnlyWhenAsked();
    void fillsAnExistingCatalogue();

private:
    QTemporaryDir m_dir;
};

void TestSyntheticCatalogue::countsFollowTheOptions()
{
    const QString root = m_dir.filePath(QStringLiteral("合成 #1"));
    SyntheticOptions options;
    options.figures = 31;
    options.points = 17;
    options.labels = 3;
    QCOMPARE(SyntheticCatalogue(options).buildRoot(root, false), QString());

    CatalogueReader db(root + QStringLiteral("/dbase/system.mdb"));
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain")), 31);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE LB = 'T'")), 10);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE LB = 'B'")), 21);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM pData")), 31 * 17);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picLable")), 31 * 3);
    // IDs run 1..n within each figure.
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM (SELECT th FROM pData GROUP BY th "
                                     "HAVING MIN(ID) = 1 AND MAX(ID) = 17 AND COUNT(*) = 17)")),
             31);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM pData WHERE Series NOT BETWEEN 1 AND 16")), 0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picType")), 10);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(DISTINCT grp) FROM picMain")), 10);

    // The defaults: no points, no labels.
    const QString bare = m_dir.filePath(QStringLiteral("合成 #2"));
    SyntheticOptions none;
    none.figures = 4;
    QCOMPARE(SyntheticCatalogue(none).buildRoot(bare, false), QString());
    CatalogueReader bareDb(bare + QStringLiteral("/dbase/system.mdb"));
    QCOMPARE(bareDb.count(QStringLiteral("SELECT COUNT(*) FROM picMain")), 4);
    QCOMPARE(bareDb.count(QStringLiteral("SELECT COUNT(*) FROM pData")) + bareDb.count(QStringLiteral("SELECT COUNT(*) FROM picLable")), 0);
}

void TestSyntheticCatalogue::everyColumnIsFilled()
{
    const QString root = m_dir.filePath(QStringLiteral("合成 列"));
    SyntheticOptions options;
    options.figures = 12;
    options.points = 9;
    options.labels = 5;
    QCOMPARE(SyntheticCatalogue(options).buildRoot(root, false), QString());
    CatalogueReader db(root + QStringLiteral("/dbase/system.mdb"));
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE specialCase IS NULL OR Comment IS NULL "
                                     "OR tm = '' OR figName <> substr(th, 1, 1) || 'P' || substr(th, 2)")),
             0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE X2 <= X1 OR Y2 <= Y1")), 0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM pData WHERE X IS NULL OR Y IS NULL OR L IS NULL OR curve IS NULL")), 0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picLable WHERE Lbl IS NULL OR Lbl = ''")), 0);
    // Each series starts unjoined.
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM pData p WHERE L <> 0 AND NOT EXISTS "
                                     "(SELECT 1 FROM pData q WHERE q.th = p.th AND q.ID = p.ID - 1 AND q.Series = p.Series)")),
             0);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain WHERE X6 = 1")) > 0);
}

void TestSyntheticCatalogue::numbersAreUniqueAndFiguresRepeatable()
{
    QSet<QString> numbers;
    for (int i = 0; i < 3000; ++i)
        numbers.insert(SyntheticCatalogue::figureNumber(i));
    QCOMPARE(numbers.size(), 3000);
    QVERIFY(numbers.contains(QStringLiteral("B2000")));
    QVERIFY(numbers.contains(QStringLiteral("T1000")));

    SyntheticOptions options;
    options.points = 20;
    options.labels = 2;
    const SyntheticCatalogue catalogue(options);
    const DiagramTemplate a = catalogue.figure(41);
    const DiagramTemplate b = catalogue.figure(41);
    QCOMPARE(a.number, b.number);
    QCOMPARE(a.points.size(), 20);
    for (int i = 0; i < a.points.size(); ++i) {
        QCOMPARE(a.points[i].x, b.points[i].x);
        QCOMPARE(a.points[i].y, b.points[i].y);
    }
}

void TestSyntheticCatalogue::thumbnailsOnlyWhenAsked()
{
    SyntheticOptions options;
    options.figures = 7;
    const QString without = m_dir.filePath(QStringLiteral("无缩略图"));
    QCOMPARE(SyntheticCatalogue(options).buildRoot(without, false), QString());
    QVERIFY(QDir(without + QStringLiteral("/Diagram/MiniMap")).entryList(QDir::Files).isEmpty());

    options.thumbnails = true;
    const QString with = m_dir.filePath(QStringLiteral("有 缩略图"));
    QCOMPARE(SyntheticCatalogue(options).buildRoot(with, false), QString());
    CatalogueReader db(with + QStringLiteral("/dbase/system.mdb"));
    const auto names = db.rows(QStringLiteral("SELECT figName FROM picMain"));
    QCOMPARE(names.size(), 7);
    for (const QVariantList &r : names) {
        QImageReader reader(with + QStringLiteral("/Diagram/MiniMap/") + r[0].toString() + QStringLiteral(".gif"));
        QVERIFY2(reader.canRead(), qPrintable(r[0].toString()));
        QCOMPARE(reader.format(), QByteArray("gif"));
    }
}

// What a benchmark does: fill a catalogue it made itself.
void TestSyntheticCatalogue::fillsAnExistingCatalogue()
{
    const QString path = m_dir.filePath(QStringLiteral("自建.mdb"));
    QCOMPARE(createCatalogueFile(path), QString());
    SyntheticOptions options;
    options.figures = 5;
    options.points = 2;
    QCOMPARE(SyntheticCatalogue(options).fillCatalogue(path), QString());
    CatalogueReader db(path);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain")), 5);
    // A second fill collides on the figure numbers and must keep nothing of itself.
    QVERIFY(!SyntheticCatalogue(options).fillCatalogue(path).isEmpty());
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picMain")), 5);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM picType")), 10);
}

QTEST_MAIN(TestSyntheticCatalogue)
#include "tst_synthetic_catalogue.moc"
