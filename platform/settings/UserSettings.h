#pragma once

#include <QString>

// One text value of the per-user settings store, read only: organization
// `organization` with no application name, value `section/key`. A missing
// value gives the empty text.
QString readUserSetting(const QString &organization, const QString &section, const QString &key);
// The file that holds the per-user settings of `organization`.
QString userSettingsFile(const QString &organization);
