#include "ui/common/ThumbnailChanges.h"

ThumbnailChanges &ThumbnailChanges::instance()
{
    static ThumbnailChanges changes;
    return changes;
}
