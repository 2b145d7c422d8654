#include "tools/SeriesDiagrams.h"

#include "tools/DiagramBuilder.h"

#include <functional>

namespace {

QList<QPointF> sampled(double from, double to, double step, const std::function<double(double)> &f)
{
    QList<QPointF> points;
    for (double x = from; x <= to + 1e-9; x += step)
        points << QPointF(x, f(x));
    return points;
}

} // namespace

DiagramTemplate SeriesDiagrams::k2oSiO2()
{
    DiagramBuilder b(QStringLiteral("B002"), QStringLiteral("K2O-SiO2 岩浆系列划分图"), 3);
    b.axes({45, 80, 1, 5, 45, false, 0}, {0, 6, 0.2, 1, 0, false, 1})
        .vector()
        .comment(QStringLiteral("据 Peccerillo 和 Taylor（1976）Contrib. Mineral. Petrol. 58:63-81；"
                                "最下方界线 SiO2 > 70% 部分为外推。"));
    b.line({{48, 0.3}, {52, 0.5}, {56, 0.7}, {63, 1.0}, {70, 1.3}, {78, 1.6}})
        .line({{48, 1.2}, {52, 1.5}, {56, 1.8}, {63, 2.4}, {70, 3.0}})
        .line({{48, 1.6}, {52, 2.4}, {56, 3.2}, {63, 4.0}});
    b.label(66, 0.5, QStringLiteral("拉斑玄武岩系列（低钾）"))
        .label(66, 1.9, QStringLiteral("钙碱性系列（中钾）"))
        .label(60, 2.9, QStringLiteral("高钾钙碱性系列"))
        .label(55, 4.3, QStringLiteral("钾玄岩系列"))
        .axisTitles(QStringLiteral("SiO2 (wt%)"), QStringLiteral("K2O (wt%)"));
    return b.build();
}

DiagramTemplate SeriesDiagrams::afm()
{
    DiagramBuilder b(QStringLiteral("T001"), QStringLiteral("AFM 拉斑与钙碱性系列判别图"), 3);
    b.triangle(QStringLiteral("F"), QStringLiteral("A"), QStringLiteral("M"))
        .vector()
        .comment(QStringLiteral("A = Na2O+K2O，F = FeOT，M = MgO（wt%，归一化为 100）。"
                                "据 Irvine 和 Baragar（1971）Can. J. Earth Sci. 8:523-548，界线点据 Rickwood（1989）。"));
    // Tabulated as A/F/M; F is the top corner, A the left, M the right.
    auto afm = [](double a, double f, double m) { return Ternary{f, a, m}; };
    b.ternaryLine({afm(58.8, 36.2, 5.0), afm(47.6, 42.4, 10.0), afm(29.6, 52.6, 17.8), afm(25.4, 54.6, 20.0),
                   afm(21.4, 54.6, 24.0), afm(19.4, 52.8, 27.8), afm(18.9, 51.1, 30.0), afm(16.6, 43.4, 40.0),
                   afm(15.0, 35.0, 50.0)});
    b.ternaryLabel(afm(15, 70, 15), QStringLiteral("拉斑玄武岩系列"))
        .ternaryLabel(afm(40, 30, 30), QStringLiteral("钙碱性系列"));
    return b.build();
}

DiagramTemplate SeriesDiagrams::feoMgOSiO2()
{
    DiagramBuilder b(QStringLiteral("B008"), QStringLiteral("FeO*/MgO-SiO2 拉斑与钙碱性系列判别图"), 3);
    // Renumbered figure that kept its old thumbnail, stored in upper case.
    b.figName(QStringLiteral("BP013"))
        .thumbnailFile(QStringLiteral("BP013.GIF"))
        .axes({45, 70, 1, 5, 45, false, 0}, {0, 6, 0.5, 1, 0, false, 1})
        .bitmap()
        .specialCase(std::nullopt)
        .comment(QStringLiteral("界线 SiO2 = 6.4 × FeO*/MgO + 42.8，据 Miyashiro（1974）Am. J. Sci. 274:321-355。"));
    b.line({{45, 0.34375}, {70, 4.25}});
    b.label(51, 4.0, QStringLiteral("拉斑玄武岩系列"))
        .label(63, 1.0, QStringLiteral("钙碱性系列"))
        .axisTitles(QStringLiteral("SiO2 (wt%)"), QStringLiteral("FeO*/MgO"));
    return b.build();
}

DiagramTemplate SeriesDiagrams::aluminaSaturation()
{
    DiagramBuilder b(QStringLiteral("B004"), QStringLiteral("A/NK-A/CNK 铝饱和指数图"), 5);
    b.axes({0.5, 2.0, 0.1, 0.5, 0.5, false, 1}, {0.5, 3.0, 0.1, 0.5, 0.5, false, 1})
        .specialCase(std::nullopt)
        .comment(QStringLiteral("分子比，据 Shand（1943）与 Maniar 和 Piccoli（1989）GSA Bull. 101:635-643；"
                                "虚线 A/CNK = 1.1 为 Chappell 和 White（1974）I 型与 S 型花岗岩界线。"));
    b.line({{1.0, 1.0}, {1.0, 3.0}})
        .line({{0.5, 1.0}, {1.0, 1.0}})
        .line({{1.1, 1.1}, {1.1, 3.0}}, LineType::Dashed);
    b.label(0.75, 2.0, QStringLiteral("准铝质"))
        .label(1.55, 2.0, QStringLiteral("过铝质"))
        .label(0.75, 0.75, QStringLiteral("过碱质"))
        .label(0.93, 2.85, QStringLiteral("I 型"))
        .label(1.19, 2.85, QStringLiteral("S 型"))
        .axisTitles(QStringLiteral("A/CNK"), QStringLiteral("A/NK"));
    return b.build();
}

DiagramTemplate SeriesDiagrams::mali()
{
    DiagramBuilder b(QStringLiteral("B009"), QStringLiteral("MALI-SiO2 碱钙指数分类图"), 5);
    b.axes({50, 80, 1, 5, 50, false, 0}, {-8, 12, 1, 4, -8, false, 0})
        .comment(QStringLiteral("MALI = Na2O+K2O-CaO（wt%），界线为二次曲线，据 Frost 等（2001）J. Petrology 42:2033-2048。"));
    b.curve(sampled(50, 80, 2.5, [](double s) { return -41.86 + 1.112 * s - 0.00572 * s * s; }))
        .curve(sampled(50, 80, 2.5, [](double s) { return -44.72 + 1.094 * s - 0.00527 * s * s; }))
        .curve(sampled(50, 80, 2.5, [](double s) { return -45.36 + 1.0043 * s - 0.00427 * s * s; }));
    b.label(60, 9, QStringLiteral("碱性"))
        .label(75.5, 8.8, QStringLiteral("碱钙性"))
        .label(75.5, 7.1, QStringLiteral("钙碱性"))
        .label(72, 1.5, QStringLiteral("钙性"))
        .axisTitles(QStringLiteral("SiO2 (wt%)"), QStringLiteral("Na2O+K2O-CaO (wt%)"));
    return b.build();
}

DiagramTemplate SeriesDiagrams::ironNumber()
{
    DiagramBuilder b(QStringLiteral("B010"), QStringLiteral("FeOT/(FeOT+MgO)-SiO2 铁质与镁质花岗岩判别图"), 5);
    b.axes({50, 80, 1, 5, 50, false, 0}, {0.4, 1.0, 0.02, 0.1, 0.4, false, 2}).noComment();
    // Frost et al. (2001): FeOT/(FeOT+MgO) = 0.46 + 0.005 SiO2.
    b.line({{50, 0.71}, {80, 0.86}});
    b.label(60, 0.9, QStringLiteral("铁质"))
        .label(70, 0.6, QStringLiteral("镁质"))
        .axisTitles(QStringLiteral("SiO2 (wt%)"), QStringLiteral("FeOT/(FeOT+MgO)"));
    return b.build();
}
