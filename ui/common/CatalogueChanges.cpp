#include "ui/common/CatalogueChanges.h"

CatalogueChanges &CatalogueChanges::instance()
{
    static CatalogueChanges changes;
    return changes;
}
