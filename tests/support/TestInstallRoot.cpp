#include "tests/support/TestInstallRoot.h"

#include "tools/CatalogueSchema.h"

#include <QDir>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

namespace {

QSettings userSettings()
{
    static QTemporaryDir configDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir.path());
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kestomar software"));
}

} // namespace

TestInstallRoot::TestInstallRoot()
    : m_root(m_dir.path() + QStringLiteral("/安装 目录#%")),
      m_connectionName(QUuid::createUuid().toString())
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
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void TestInstallRoot::pointSettingsAt(const QString &root)
{
    userSettings().setValue(QStringLiteral("Strativa/Path"), root);
}

void TestInstallRoot::clearSettings()
{
    userSettings().clear();
}

void TestInstallRoot::reconnect()
{
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase TestInstallRoot::db() const
{
    if (!QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName).setDatabaseName(cataloguePath());
    return QSqlDatabase::database(m_connectionName);
}

void TestInstallRoot::exec(const QString &sql, const QVariantList &values)
{
    QSqlQuery q(db());
    q.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

QList<QVariantList> TestInstallRoot::rows(const QString &sql) const
{
    QSqlQuery q(db());
    if (!q.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    QList<QVariantList> result;
    while (q.next()) {
        result << QVariantList();
        for (int c = 0; c < q.record().count(); ++c)
            result.last() << q.value(c);
    }
    return result;
}

QVariant TestInstallRoot::scalar(const QString &sql) const
{
    const auto result = rows(sql);
    return result.isEmpty() ? QVariant() : result.first().value(0);
}

void TestInstallRoot::insertFigure(const QVariantMap &columns)
{
    const QStringList marks(columns.size(), QStringLiteral("?"));
    exec(QStringLiteral("INSERT INTO picMain (%1) VALUES (%2)").arg(columns.keys().join(','), marks.join(',')),
         columns.values());
}

void TestInstallRoot::dropConstraints(const QString &table)
{
    QStringList columns;
    for (const QVariantList &c : rows(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        columns << c[1].toString() + ' ' + c[2].toString();
    exec(QStringLiteral("DROP TABLE ") + table);
    exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(table, columns.join(", ")));
}
