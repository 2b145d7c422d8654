#pragma once

#include "tools/SyntheticCatalogue.h"

#include <QSettings>
#include <QString>

// Synthetic catalogues for the benchmarks, and the setting that makes the
// program (or a window built here) open one.

inline QString buildRoot(const QString &root, int figures)
{
    SyntheticOptions options;
    options.figures = figures;
    return SyntheticCatalogue(options).buildRoot(root, false);
}

// Writes `configDir`/Kestomar software.conf; a program started with
// XDG_CONFIG_HOME=`configDir` reads it too.
inline void pointSettingsAt(const QString &configDir, const QString &root)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kestomar software"))
        .setValue(QStringLiteral("Strativa/Path"), root);
}
