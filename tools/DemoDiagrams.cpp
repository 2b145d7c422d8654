#include "tools/DemoDiagrams.h"

#include "tools/ClassificationDiagrams.h"
#include "tools/SeriesDiagrams.h"
#include "tools/TectonicDiagrams.h"

#include <algorithm>

QMap<int, QString> DemoDiagrams::groups()
{
    return {
        {1, QStringLiteral("火山岩分类")},
        {2, QStringLiteral("深成岩分类")},
        {3, QStringLiteral("岩浆系列")},
        {4, QStringLiteral("构造环境判别")},
        {5, QStringLiteral("花岗岩类判别")},
        {6, QStringLiteral("沉积岩与风化")},
        {7, QStringLiteral("微量元素配分")},
        {8, QStringLiteral("变质岩")},
    };
}

QList<DiagramTemplate> DemoDiagrams::all()
{
    QList<DiagramTemplate> figures = {
        ClassificationDiagrams::tas(),        SeriesDiagrams::k2oSiO2(),
        ClassificationDiagrams::zrTiO2NbY(),  SeriesDiagrams::aluminaSaturation(),
        TectonicDiagrams::nbY(),              TectonicDiagrams::rbYNb(),
        TectonicDiagrams::tiV(),              SeriesDiagrams::feoMgOSiO2(),
        SeriesDiagrams::mali(),               SeriesDiagrams::ironNumber(),
        TectonicDiagrams::reePattern(),       SeriesDiagrams::afm(),
        ClassificationDiagrams::qap(),        ClassificationDiagrams::ultramafic(),
        ClassificationDiagrams::acnk(),       TectonicDiagrams::tiZrY(),
        TectonicDiagrams::hfRbTa(),           ClassificationDiagrams::sandstone(),
    };
    std::sort(figures.begin(), figures.end(),
              [](const DiagramTemplate &a, const DiagramTemplate &b) { return a.number < b.number; });
    return figures;
}
