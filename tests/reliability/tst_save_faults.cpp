// A save while another connection holds the
// catalogue's write lock: the save waits a while, then fails with the cause
// and keeps every mark; once the lock is gone a second press saves it all.
#include "tests/support/FigureEditorKit.h"
#include "ui/labels/fPicLbl.h"

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
};

QTEST_MAIN(SaveFaultsTest)
#include "tst_save_faults.moc"
