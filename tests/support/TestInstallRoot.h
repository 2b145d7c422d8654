#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>
#include <QVariantMap>

// A temporary install root for one test: a catalogue made from the reference
// schema, an empty thumbnail folder, and the per-user settings pointed at it.
// The root's name holds a blank, Chinese characters, '#' and '%' on purpose.
class TestInstallRoot
{
public:
    TestInstallRoot();
    ~TestInstallRoot();

    QString root() const { return m_root; }
    QString cataloguePath() const { return m_root + QStringLiteral("/dbase/system.mdb"); }
    QString thumbnailDir() const { return m_root + QStringLiteral("/Diagram/MiniMap"); }

    // Sets or removes the install root in the settings store.
    static void pointSettingsAt(const QString &root);
    static void clearSettings();

    // Direct access to the catalogue, for arranging and checking.
    void exec(const QString &sql, const QVariantList &values = {});
    QList<QVariantList> rows(const QString &sql) const;
    QVariant scalar(const QString &sql) const;
    // A picMain record; unnamed columns take the table's defaults.
    void insertFigure(const QVariantMap &columns);
    // Makes `table` afresh with its columns and types but no key, NOT NULL,
    // UNIQUE or default, as older catalogues have it.
    void dropConstraints(const QString &table);
    // Lets go of the test's own connection: the next query opens the file
    // that stands at the path now, after a test replaced it.
    void reconnect();

private:
    QSqlDatabase db() const;

    QTemporaryDir m_dir;
    QString m_root;
    QString m_connectionName;
};
