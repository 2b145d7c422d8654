#include "tests/support/WriteLock.h"

#include <QSqlDatabase>
#include <QSqlQuery>

WriteLock::WriteLock(const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
    db.setDatabaseName(path);
    if (!db.open() || !QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE")))
        qFatal("cannot lock the catalogue");
}

void WriteLock::release()
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
