#include "tests/tools/CatalogueReader.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QUuid>

CatalogueReader::CatalogueReader(const QString &cataloguePath)
    : m_connectionName(QStringLiteral("reader-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(cataloguePath);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    db.open();
}

CatalogueReader::~CatalogueReader()
{
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool CatalogueReader::isOpen() const
{
    return QSqlDatabase::database(m_connectionName, false).isOpen();
}

QList<QVariantList> CatalogueReader::rows(const QString &sql) const
{
    QList<QVariantList> result;
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    if (!q.exec(sql)) {
        qWarning("query failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return result;
    }
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < q.record().count(); ++i)
            row << q.value(i);
        result << row;
    }
    return result;
}

QVariant CatalogueReader::scalar(const QString &sql) const
{
    const QList<QVariantList> r = rows(sql);
    return r.isEmpty() || r.first().isEmpty() ? QVariant() : r.first().first();
}

QString findIgnoringCase(const QString &dir, const QString &fileName)
{
    const QStringList files = QDir(dir).entryList(QDir::Files);
    for (const QString &name : files) {
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return QDir(dir).filePath(name);
    }
    return {};
}
