#include "tools/CatalogueSchema.h"

#include "catalogue_schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>

QStringList catalogueSchemaStatements()
{
    QStringList statements;
    for (const QString &part : QString::fromUtf8(kCatalogueSchemaSql).split(QLatin1Char(';'))) {
        if (!part.trimmed().isEmpty())
            statements << part.trimmed();
    }
    return statements;
}

QString createCatalogueFile(const QString &path)
{
    const QString name = QStringLiteral("schema-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            const QStringList statements = catalogueSchemaStatements();
            for (const QString &statement : statements) {
                if (!q.exec(statement)) {
                    error = q.lastError().text();
                    break;
                }
            }
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}
