#pragma once

#include "app/CatalogueStatements.h"
#include "bench/SqliteFloor.h"
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

// Rows the catalogue window's list shows at the window's own size; the
// catalogue benchmark checks it.
constexpr int kRowsShown = 14;

// The floor of a figure list that reads its keys first: the figures of one
// type in the list's order with their number, name and thumbnail, then each
// row shown, read whole by its rowid.
inline double figureListFloor(const QString &catalogue, const QString &typeLetter, int *rowCount = nullptr)
{
    const QString keys =
        CatalogueStatements::figuresOfType(typeLetter).withFields(QStringLiteral("_rowid_, th, tm, figName")).shown();
    return SqliteFloor::keysThenRows(catalogue, keys, QStringLiteral("select * from picMain where _rowid_ = ?"),
                                     kRowsShown, rowCount);
}
