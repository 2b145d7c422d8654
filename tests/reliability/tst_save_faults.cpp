// Saves of the point and label editors while another connection holds the
// catalogue's write lock: the save waits a while, then fails with the cause
// and keeps every mark; once the lock is gone a second press saves it all.
#include "tests/support/FigureEditorKit.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

#include <QSqlDatabase>
#include <QSqlQuery>

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

} // namespace

class SaveFaultsTest : public QObject
{
    Q_OBJECT

    template <typename Kit>
    void saveWhileLocked(Kit &kit, const QString &marksBefore)
    {
        WriteLock lock(kit.root.cataloguePath());
        click(*kit.window, "cmdSave");
        QCOMPARE(kit.messages.count(), 1);
        QVERIFY2(kit.messages.last().detail.contains("locked"), qPrintable(kit.messages.last().detail));
        QCOMPARE(marks(kit.list()), marksBefore);
        lock.release();
        click(*kit.window, "cmdSave");
        QCOMPARE(kit.messages.count(), 1);
    }

private slots:
    void pointSaveWaitsForALockThenKeepsItsMarks()
    {
        FigureEditorKit<fPicData> p;
        p.root.exec("INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES ('B001', 1, 1, 0, 1, 2, 1)");
        fPicData &w = p.open("B001");
        p.edit(0, "tTxtBx3", "5", "tTxtBx0");
        click(w, "cmdAddPoint");
        type(w, "tTxtBx3", "6");
        type(w, "tTxtBx4", "7");
        click(w, "cmdAddPoint");
        saveWhileLocked(p, "1* 2#");
        QCOMPARE(marks(p.list()), QStringLiteral("1 2"));
        QCOMPARE(p.records("SELECT ID, X, Y FROM pData ORDER BY ID"), QStringLiteral("1:5,2 2:6,7"));
    }

    void labelSaveWaitsForALockThenKeepsItsMarks()
    {
        FigureEditorKit<fPicLbl> l;
        l.root.exec("INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES ('B001', 1, 1, 2, 'a'), ('B001', 2, 3, 4, 'b')");
        fPicLbl &w = l.open("B001");
        l.edit(0, "tTxtBx3", "改", "Command1");
        clickRow(l.list(), 1);
        click(w, "CmdDelete");
        saveWhileLocked(l, "1* 2★");
        QCOMPARE(marks(l.list()), QStringLiteral("1"));
        QCOMPARE(l.records("SELECT ID, X, Y, Lbl FROM picLable ORDER BY ID"), QStringLiteral("1:1,2,改"));
    }
};

QTEST_MAIN(SaveFaultsTest)
#include "tst_save_faults.moc"
