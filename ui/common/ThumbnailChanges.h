#pragma once

#include <QObject>
#include <QString>

// Tells the windows that a thumbnail file was written, so one showing that
// picture loads it again; the writer and the windows showing it need not know
// each other.
class ThumbnailChanges : public QObject
{
    Q_OBJECT
public:
    static ThumbnailChanges &instance();

    void announce(const QString &thumbnailName) { emit written(thumbnailName); }

signals:
    void written(const QString &thumbnailName);
};
