#pragma once

#include <QObject>
#include <QString>

// What a save or a write in one window changed in the catalogue, for the
// windows that show it: the writer emits, the windows listen, and neither
// needs to know the other.
class CatalogueChanges : public QObject
{
    Q_OBJECT
public:
    static CatalogueChanges &instance();

signals:
    void thumbnailWritten(const QString &thumbnailName);
    // The figure numbered `from` is numbered `to` now, its points and labels with it.
    void figureRenamed(const QString &from, const QString &to);
    void figureDeleted(const QString &number);
    // Its record (names, axes) or its points or labels were written.
    void figureWritten(const QString &number);
};
