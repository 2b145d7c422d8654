#include "tests/support/TestInstallRoot.h"

#include "tools/CatalogueSchema.h"

#include <QDir>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QUuid>

namespace {

QString configDir()
{
    static QTemporaryDir dir;
    return dir.path();
}

} // namespace

TestInstallRoot::TestInstallRoot()
    : m_root(m_dir.path() + QStringLiteral("/安装 目录#%")),
      m_connectionName(QStringLiteral("test-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    QDir().mkpath(m_root + QStringLiteral("/dbase"));
    QDir().mkpath(thumbnailDir());
    const QString error = createCatalogueFile(cataloguePath());
    if (!error.isEmpty())
        qFatal("cannot create test catalogue: %s", qPrintable(error));
    pointSettingsAt(m_root);
}

TestInstallRoot::~TestInstallRoot()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase::database(m_connectionName, false).close();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

void TestInstallRoot::pointSettingsAt(const QString &root)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir());
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kestomar software"));
    settings.setValue(QStringLiteral("Strativa/Path"), root);
    settings.sync();
}

void TestInstallRoot::clearSettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir());
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kestomar software"));
    settings.clear();
    settings.sync();
}

QSqlDatabase TestInstallRoot::db() const
{
    if (!QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(cataloguePath());
    }
    QSqlDatabase db = QSqlDatabase::database(m_connectionName);
    if (!db.isOpen())
        qFatal("cannot open test catalogue");
    return db;
}

void TestInstallRoot::exec(const QString &sql, const QVariantList &values)
{
    QSqlQuery q(db());
    if (!q.prepare(sql))
        qFatal("prepare failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        qFatal("exec failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

QList<QVariantList> TestInstallRoot::rows(const QString &sql) const
{
    QSqlQuery q(db());
    if (!q.exec(sql))
        qFatal("query failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    QList<QVariantList> result;
    while (q.next()) {
        QVariantList row;
        for (int c = 0; c < q.record().count(); ++c)
            row << q.value(c);
        result << row;
    }
    return result;
}

QVariant TestInstallRoot::scalar(const QString &sql) const
{
    const auto result = rows(sql);
    return result.isEmpty() || result.first().isEmpty() ? QVariant() : result.first().first();
}

void TestInstallRoot::insertFigure(const QVariantMap &columns)
{
    QStringList names, marks;
    QVariantList values;
    for (auto it = columns.begin(); it != columns.end(); ++it) {
        names << it.key();
        marks << QStringLiteral("?");
        values << it.value();
    }
    exec(QStringLiteral("INSERT INTO picMain (%1) VALUES (%2)").arg(names.join(','), marks.join(',')), values);
}
