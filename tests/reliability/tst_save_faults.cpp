// Saves that meet a fault: another connection's write lock (the save waits
// a while, fails with the cause and keeps every mark; once the lock is gone a
// second press saves it all, also when the lock made another window's open
// fail), a read-only catalogue, a full disk, and a file replaced or
// overwritten by garbage. Every window saves through the same transaction;
// the label editor and the catalogue window stand for them.
#include "tests/support/FigureEditorKit.h"
#include "tests/support/WriteLock.h"
#include "tests/ui/catalogue/CatalogueTestKit.h"
#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QFile>
#include <QRegularExpression>
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
        QVERIFY2(l.messages.last().text.contains("锁定"), qPrintable(l.messages.last().text));
        QCOMPARE(marks(l.list()), QStringLiteral("1* 2★"));
        lock.release();
        click(w, "cmdSave");
        QCOMPARE(l.messages.count(), 1);
        QCOMPARE(marks(l.list()), QStringLiteral("1"));
        QCOMPARE(l.records("SELECT ID, X, Y, Lbl FROM picLable ORDER BY ID"), QStringLiteral("1:1,2,改"));
    }

    // Another window's open meets the lock (or finds no file) and leaves the
    // shared connection closed: the catalogue's marks stay, each save opens
    // the same file again, and the first one after the lock has gone saves.
    // Only another file at the path is refused.
    void failedOpenCostsOneRetry()
    {
        CatalogueWindow c;
        addCartesianFigures(c.root, 3);
        fMain &w = c.open();
        editRow(w, 1, "tPicName", "改");
        clickRow(w, 2);
        click(w, "CmdDelete");
        const QString path = c.root.cataloguePath(), away = path + ".away";
        auto expectRefusal = [&](const char *shownCause) {
            const int before = c.messages.count();
            click(w, "cmdSaveLvFigure");
            QCOMPARE(c.messages.count(), before + 1);
            const MessageRequest refusal = c.messages.last();
            QVERIFY2(refusal.text.startsWith(QStringLiteral("不好意思，出错了！\n")) && refusal.text.contains(shownCause),
                     qPrintable(refusal.text));
            QVERIFY2(refusal.detail.startsWith(causeOfFailure(refusal.text.section('\n', 1))), qPrintable(refusal.detail));
            QCOMPARE(marks(figureList(w)), QStringLiteral("1 2* 3★"));
        };
        {
            WriteLock lock(path);
            click(w, "Command1"); // the group manager opens the catalogue
            QCOMPARE(c.messages.count(), 1);
            QVERIFY2(c.messages.last().text.contains("锁定"), qPrintable(c.messages.last().text));
            QVERIFY2(!c.messages.last().text.contains("locked"), "SQLite's words belong in the details");
            QVERIFY(!gConn->isOpen());
            expectRefusal("锁定");
        }
        delete SingleWindow<fGroup>::instance();

        QVERIFY(QFile::rename(path, away));
        click(w, "Command1");
        delete SingleWindow<fGroup>::instance();
        expectRefusal("不存在");
        QVERIFY(QFile::copy(away, path)); // the same content, but another file
        expectRefusal("替换");
        QVERIFY(QFile::remove(path) && QFile::rename(away, path));

        const int before = c.messages.count();
        click(w, "cmdSaveLvFigure");
        QCOMPARE(c.messages.count(), before);
        QCOMPARE(marks(figureList(w)), QStringLiteral("1 2 3★"));
        QCOMPARE(recordsText(c.root, "SELECT th, tm FROM picMain ORDER BY th"), QStringLiteral("B001:图 B001 B002:改"));
    }


    void faultDuringSaveKeepsEverything_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("cause");      // in the details
        QTest::addColumn<QString>("shownCause"); // in the message itself
        const char *windows[] = {"labels", "catalogue", "points"};
        const struct { const char *name; QString cause, shownCause; } faults[] = {
            {"read-only", "readonly", "只读"}, {"disk full", "没有保存任何一行", "磁盘"},
            {"replaced by garbage", "替换", "替换"}, {"overwritten with garbage", "not a database", "不是图版数据库"}};
        for (int window : {Labels, Catalogue}) {
            for (int fault = ReadOnly; fault <= Overwritten; ++fault)
                QTest::newRow(qPrintable(QString("%1, %2").arg(windows[window], faults[fault].name)))
                    << window << fault << faults[fault].cause << faults[fault].shownCause;
        }
        // The point save renumbers in a last step, which must not run once the transaction is gone.
        QTest::newRow("points, disk full") << int(Points) << int(DiskFull) << faults[DiskFull].cause
                                           << faults[DiskFull].shownCause;
    }

    // The save fails with the cause in its message, in Chinese (SQLite's
    // English only in the details, after it); the catalogue holds what
    // it held (a full disk makes SQLite drop the whole transaction), every
    // mark stays, and a garbage file is neither repaired nor written into.
    void faultDuringSaveKeepsEverything()
    {
        QFETCH(int, window);
        QFETCH(int, fault);
        QFETCH(QString, cause);
        QFETCH(QString, shownCause);
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
            Statement &pages = gConn->prepared("PRAGMA page_count");
            QVERIFY(pages.exec() && pages.next());
            const int pageCount = pages.value(0).toInt();
            pages.finish();
            gConn->execute(SqlStatement(QString("PRAGMA max_page_count = %1").arg(pageCount + 2)));
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
        const QString shownText = messages.last().text;
        QVERIFY2(shownText.startsWith(QStringLiteral("不好意思，出错了！\n")) && shownText.contains(shownCause)
                     && !shownText.contains(QRegularExpression("[a-z]{3}")), // no word of SQLite's English
                 qPrintable(shownText));
        QVERIFY2(messages.last().detail.startsWith(shownText.section('\n', 1, 1)), qPrintable(messages.last().detail));
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
