#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The size of a drawn thumbnail when the folder has none to follow.
inline constexpr QSize kDefaultThumbnailSize{240, 180};

// Whether `name` names a file in a folder: no separator, not "." or "..".
bool isPlainFileName(const QString &name);

// The thumbnail file of `name` in `folder` (folder ends with "/"): name +
// ".gif", found without regard to letter case as on the host's platform.
// A name that is not a plain file name (holding a separator, "." or "..")
// finds nothing, so no name reaches outside the folder. Empty when not found.
QString findThumbnail(const QString &folder, const QString &name);

// The picture of the thumbnail; a null image when it is missing or cannot be
// shown, and then `whyNot` (when given) says why, in words for the user.
QImage loadThumbnail(const QString &folder, const QString &name, QString *whyNot = nullptr);

// The size most GIF files in `folder` have, the narrowest of those tied for
// most; kDefaultThumbnailSize when there are none.
QSize commonThumbnailSize(const QString &folder);
