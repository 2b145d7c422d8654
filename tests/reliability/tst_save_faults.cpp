// Saves that meet a fault: another connection's write lock (the save waits
// a while, fails with the cause and keeps every mark; once the lock is gone a
// second press saves it all), a read-only catalogue, a full disk, and a file
// replaced or overwritten by garbage. Every window saves through the same
// transaction; the label editor and the catalogue window stand for them.
#include "tests/support/FigureEditorKit.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/fsuid.h>
#include <unistd.h>

namespace {

// Another user's program in the middle of a write.
class WriteLock
{
public:
    explicit WriteLock(const QString &path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        db.setDatabaseName(path);
        if (!db.open() || !QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE")))
            qFatal("cannot lock the catalogue");
    }
    ~WriteLock() { release(); }

    void release()
    {
        if (!QSqlDatabase::contains(QStringLiteral("locker")))
            return;
        {
            QSqlDatabase db = QSqlDatabase::database(QStringLiteral("locker"));
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    }
};

enum Window { Labels, Catalogue, Points };
enum Fault { ReadOnly, DiskFull, Replaced, Overwritten };

// Root's file access ignores permissions; as the user nobody for file
// access (this thread only, and undone after) a 0444 file is read-only.
struct FileAccessAsNobody
{
    void begin()
    {
        active = geteuid() == 0;
        if (active) {
            setfsgid(65534);
            setfsuid(65534);
        }
    }
    void end()
    {
        if (std::exchange(active, false)) {
            setfsuid(0);
            setfsgid(0);
        }
    }
    ~FileAccessAsNobody() { end(); }
    bool active = false;
};

} // namespace

class SaveFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    // Every window saves through the same transaction; the label editor
    // stands for them with a changed and a deleted row.
    void saveWaitsForALockThenKeepsItsMarks()
    {
        FigureEditorKit<fPicLbl> l;
        l.root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', 1, 1, 2, 'a'), ('B001', 2, 3, 4, 'b')");
        fPicLbl &w = l.open("B001");
        l.edit(0, "tTxtBx3", "改", "Command1");
        clickRow(l.list(), 1);
        click(w, "CmdDelete");
        WriteLock lock(l.root.cataloguePath());
        click(w, "cmdSave");
        QCOMPARE(l.messages.count(), 1);
        QVERIFY2(l.messages.last().detail.contains("locked"), qPrintable(l.messages.last().detail));
        QCOMPARE(marks(l.list()), QStringLiteral("1* 2★"));
        lock.release();
        click(w, "cmdSave");
        QCOMPARE(l.messages.count(), 1);
        QCOMPARE(marks(l.list()), QStringLiteral("1"));
        QCOMPARE(l.records("SELECT ID, X, Y, Lbl FROM picLable ORDER BY ID"), QStringLiteral("1:1,2,改"));
    }


    void faultDuringSaveKeepsEverything_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("cause");
        const char *windows[] = {"labels", "catalogue", "points"};
        const QList<QPair<const char *, QString>> faults = {
            {"read-only", "readonly"}, {"disk full", "没有保存任何一行"}, {"replaced by garbage", "替换"},
            {"overwritten with garbage", "not a database"}};
        for (int window : {Labels, Catalogue}) {
            for (int fault = ReadOnly; fault <= Overwritten; ++fault)
                QTest::newRow(qPrintable(QString("%1, %2").arg(windows[window], faults[fault].first)))
                    << window << fault << faults[fault].second;
        }
        // The point save renumbers in a last step, which must not run once the transaction is gone.
        QTest::newRow("points, disk full") << int(Points) << int(DiskFull) << faults[DiskFull].second;
    }

    // The save fails with the cause in its message; the catalogue holds what
    // it held (a full disk makes SQLite drop the whole transaction), every
    // mark stays, and a garbage file is neither repaired nor written into.
    void faultDuringSaveKeepsEverything()
    {
        QFETCH(int, window);
        QFETCH(int, fault);
        QFETCH(QString, cause);
        constexpr int kRows = 12;
        const QString text = QString(3000, QChar(u'岩')); // a page or so a row: the size limit comes midway
        std::optional<FigureEditorKit<fPicLbl>> labels; // one install root at a time: the settings point at it
        std::optional<FigureEditorKit<fPicData>> points;
        std::optional<CatalogueWindow> figures;
        TestInstallRoot &root = window == Labels ? labels.emplace().root
                                : window == Points ? points.emplace().root : figures.emplace().root;
        const MessageRecorder &messages = labels ? labels->messages : points ? points->messages : figures->messages;
        for (int id = 1; id <= kRows; ++id) {
            root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', ?, 1, 2, 'old')", {id});
            root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', ?, 1, 0, 1, 2, 1)", {id + 100}); // none at its position
        }
        addCartesianFigures(root, kRows);
        const QString path = root.cataloguePath();
        FileAccessAsNobody nobody;
        if (fault == ReadOnly) {
            // Nobody must reach the file and the settings through the temporary folders, and may only read them.
            const QString settings = QSettings(QSettings::NativeFormat, QSettings::UserScope, "Kestomar software").fileName();
            for (const QString &file : {path, settings})
                QVERIFY(::chmod(QFile::encodeName(file).constData(), 0444) == 0);
            for (const QString &dir : {QFileInfo(root.root()).path(), root.root(), root.root() + "/dbase",
                                       QFileInfo(settings).path()})
                QVERIFY(::chmod(QFile::encodeName(dir).constData(), 0755) == 0);
            nobody.begin();
            QVERIFY(::open(QFile::encodeName(path).constData(), O_RDWR) < 0);
        }
        QWidget *w = labels ? static_cast<QWidget *>(&labels->open("B001"))
                     : points ? static_cast<QWidget *>(&points->open("B001")) : &figures->open();
        for (int row = 0; row < kRows; ++row) {
            if (labels)
                labels->edit(row, "tTxtBx3", text, "Command1");
            else if (figures)
                editRow(*w, row, "tPicName", text);
        }
        for (int point = 0; point < 300 && points; ++point) {
            click(*w, "cmdAddPoint");
            type(*w, "tTxtBx3", "1");
            type(*w, "tTxtBx4", "2");
            click(*w, "cmdAddPoint");
        }
        ListView *list = control<ListView>(*w, "LvFigure");
        const QString marked = marks(list);
        const QStringList before = everything(root);
        const QByteArray garbage = QByteArray("not a catalogue ").repeated(300);
        if (fault == DiskFull) {
            QSqlQuery pages(gConn->database());
            QVERIFY(pages.exec("PRAGMA page_count") && pages.next());
            gConn->execute(QString("PRAGMA max_page_count = %1").arg(pages.value(0).toInt() + 2));
        } else if (fault == Replaced) {
            QSaveFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(garbage) && file.commit());
        } else if (fault == Overwritten) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write(garbage) && file.resize(garbage.size()));
        }
        click(*w, labels || points ? "cmdSave" : "cmdSaveLvFigure");
        nobody.end();

        QCOMPARE(messages.count(), 1);
        QVERIFY2(messages.last().detail.contains(cause), qPrintable(messages.last().detail));
        QVERIFY2(fault != DiskFull || !messages.last().detail.startsWith("第 1 行"), "the limit did not come midway");
        QCOMPARE(marks(list), marked);
        if (fault == Replaced || fault == Overwritten) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), garbage);
            return;
        }
        QCOMPARE(root.scalar("PRAGMA integrity_check").toString(), QStringLiteral("ok"));
        QCOMPARE(everything(root), before);
    }

private:
    static QStringList everything(const TestInstallRoot &root)
    {
        QStringList records;
        for (const char *table : {"picMain", "picType", "pData", "picLable"})
            records += recordList(root, QString("SELECT '%1', * FROM %1 ORDER BY rowid").arg(table));
        return records;
    }
};

QTEST_MAIN(SaveFaultsTest)
#include "tst_save_faults.moc"
