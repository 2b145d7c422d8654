#pragma once

#include "tools/DiagramTemplate.h"

// Tectonic-setting discrimination and trace-element pattern diagrams of the
// demo catalogue.
class TectonicDiagrams
{
public:
    static DiagramTemplate nbY();
    static DiagramTemplate rbYNb();
    static DiagramTemplate tiV();
    static DiagramTemplate tiZrY();
    static DiagramTemplate hfRbTa();
    static DiagramTemplate reePattern();
};
