#include "platform/settings/UserSettings.h"

#include <QSettings>

QString readUserSetting(const QString &organization, const QString &section, const QString &key)
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, organization);
    return settings.value(section + QLatin1Char('/') + key, QString()).toString();
}

QString userSettingsFile(const QString &organization)
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, organization).fileName();
}
