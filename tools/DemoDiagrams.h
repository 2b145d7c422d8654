#pragma once

#include "tools/DiagramTemplate.h"

#include <QMap>

// The figures and groups of the demo catalogue.
class DemoDiagrams
{
public:
    // picType: group number -> group name. Not every group has figures.
    static QMap<int, QString> groups();
    // In figure-number order.
    static QList<DiagramTemplate> all();
};
