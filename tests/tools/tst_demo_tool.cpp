#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The tool's exit code, -1 if it did not finish; its error output in *err.
int runTool(const QStringList &arguments, QString *err = nullptr)
{
    QProcess tool;
    tool.start(QString::fromUtf8(QUILLAR_DEMO_TOOL), arguments);
    if (!tool.waitForFinished(120000) || tool.exitStatus() != QProcess::NormalExit)
        return -1;
    if (err)
        *err = QString::fromUtf8(tool.readAllStandardError()).trimmed();
    return tool.exitCode();
}

// The first column of every row the query gives on ROOT's catalogue.
QVariantList column(const QString &root, const QString &sql)
{
    QVariantList values;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(root + QStringLiteral("/dbase/system.mdb"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(sql);
            while (q.next())
                values << q.value(0);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    if (!ok)
        QTest::qFail(qPrintable(QStringLiteral("query failed: ") + sql), __FILE__, __LINE__);
    return values;
}

int count(const QString &root, const QString &sql) { return column(root, sql).value(0).toInt(); }

} // namespace

class TestDemoTool : public QObject
{
    Q_OBJECT

private slots:
    void demoHasFiguresWithPointsLabelsAndThumbnails();
    void syntheticCountsFollowTheOptions_data();
    void syntheticCountsFollowTheOptions();

private:
    QTemporaryDir m_dir;
};

void TestDemoTool::demoHasFiguresWithPointsLabelsAndThumbnails()
{
    // Blanks, Chinese, and characters that mean something in URLs and shells.
    const QString root = m_dir.filePath(u"演示 根目录#%?"_s);
    QString err;
    QCOMPARE(runTool({u"demo"_s, root}, &err), 0);
    QVERIFY2(err.isEmpty(), qPrintable(err));
    QVERIFY(count(root, u"SELECT COUNT(*) FROM picMain"_s) >= 12);
    QCOMPARE(count(root, u"SELECT COUNT(DISTINCT LB) FROM picMain WHERE LB IN ('B', 'T')"_s), 2);
    QCOMPARE(count(root, u"SELECT COUNT(*) FROM picMain WHERE th NOT IN (SELECT th FROM pData) "
                         "OR th NOT IN (SELECT th FROM picLable)"_s),
             0);

    // Thumbnails are looked up by figName whatever the case of the extension.
    const QDir dir(root + u"/Diagram/MiniMap"_s);
    QMap<QString, QString> files;
    for (const QString &file : dir.entryList(QDir::Files))
        files.insert(file.toLower(), file);
    for (const QVariant &figName : column(root, u"SELECT figName FROM picMain"_s)) {
        const QString file = files.value(figName.toString().toLower() + u".gif"_s);
        QVERIFY2(!file.isEmpty(), qPrintable(figName.toString()));
        QImageReader reader(dir.filePath(file));
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), QByteArray("gif"));
        const QImage image = reader.read().convertToFormat(QImage::Format_RGB32);
        // Drawn, not a blank page.
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += image.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY2(inked > 1000, qPrintable(file));
    }
    QVERIFY(std::any_of(files.cbegin(), files.cend(), [](const QString &f) { return f.endsWith(u".GIF"_s); }));

    // A second run finds a catalogue there: it refuses, in one line, and
    // leaves the file alone unless forced.
    QFile file(root + u"/dbase/system.mdb"_s);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.write("a user's catalogue");
    file.close();
    QCOMPARE(runTool({u"demo"_s, root}, &err), 1);
    QVERIFY2(!err.isEmpty() && !err.contains(u'\n'), qPrintable(err));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("a user's catalogue"));
    file.close();
    QCOMPARE(runTool({u"demo"_s, root, u"--force"_s}), 0);
    QVERIFY(count(root, u"SELECT COUNT(*) FROM picMain"_s) >= 12);
}

void TestDemoTool::syntheticCountsFollowTheOptions_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<int>>("expected"); // figures, triangular, points, labels, thumbnails
    QTest::newRow("separate values, thumbnails")
        << QStringList{"--figures", "6", "--points", "4", "--labels", "2", "--thumbnails"} << QList<int>{6, 2, 24, 12, 6};
    QTest::newRow("joined values") << QStringList{"--figures=31", "--points=17", "--labels=3"}
                                   << QList<int>{31, 10, 31 * 17, 31 * 3, 0};
}

void TestDemoTool::syntheticCountsFollowTheOptions()
{
    QFETCH(QStringList, options);
    QFETCH(QList<int>, expected);
    const QString root = m_dir.filePath(u"合成 "_s + QTest::currentDataTag());
    QCOMPARE(runTool(QStringList{u"synthetic"_s, root} + options), 0);
    const QList<int> actual{
        count(root, u"SELECT COUNT(*) FROM picMain"_s),
        count(root, u"SELECT COUNT(*) FROM picMain WHERE LB = 'T'"_s),
        count(root, u"SELECT COUNT(*) FROM pData"_s),
        count(root, u"SELECT COUNT(*) FROM picLable"_s),
        int(QDir(root + u"/Diagram/MiniMap"_s).entryList({u"*.gif"_s}, QDir::Files).size()),
    };
    QCOMPARE(actual, expected);
}

QTEST_MAIN(TestDemoTool)
#include "tst_demo_tool.moc"
