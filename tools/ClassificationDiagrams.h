#pragma once

#include "tools/DiagramTemplate.h"

// Rock-name diagrams of the demo catalogue: volcanic, plutonic, ultramafic and
// sedimentary classifications.
class ClassificationDiagrams
{
public:
    static DiagramTemplate tas();
    static DiagramTemplate zrTiO2NbY();
    static DiagramTemplate qap();
    static DiagramTemplate ultramafic();
    static DiagramTemplate sandstone();
    static DiagramTemplate acnk();
};
