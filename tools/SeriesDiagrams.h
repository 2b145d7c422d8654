#pragma once

#include "tools/DiagramTemplate.h"

// Magma-series and granitoid diagrams of the demo catalogue.
class SeriesDiagrams
{
public:
    static DiagramTemplate k2oSiO2();
    static DiagramTemplate afm();
    static DiagramTemplate feoMgOSiO2();
    static DiagramTemplate aluminaSaturation();
    static DiagramTemplate mali();
    static DiagramTemplate ironNumber();
};
