#pragma once

#include <QSize>
#include <QString>

// The demo install root: the demo figures with their points, labels and
// thumbnails. Each call returns an empty text on success, else the reason.
class DemoCatalogue
{
public:
    static constexpr QSize kThumbnailSize{393, 337};

    // Builds ROOT/dbase/system.mdb and ROOT/Diagram/MiniMap/. Refuses when the
    // catalogue exists unless replace is set; then the catalogue and all GIF
    // thumbnails there are replaced.
    static QString buildRoot(const QString &root, bool replace, int *figureCount = nullptr);
    // Adds the demo groups and figures to a catalogue with the reference schema.
    static QString fillCatalogue(const QString &cataloguePath);
    // One thumbnail per demo figure, named as the figure says.
    static QString writeThumbnails(const QString &dir);
};
