#include "tools/ClassificationDiagrams.h"

#include "tools/DiagramBuilder.h"

DiagramTemplate ClassificationDiagrams::tas()
{
    DiagramBuilder b(QStringLiteral("B001"), QStringLiteral("TAS 火山岩全碱-硅分类图"), 1);
    b.axes({30, 90, 1, 5, 30, false, 0}, {0, 20, 1, 2, 0, false, 0})
        .vector()
        .comment(QStringLiteral("火山岩 TAS 分类，据 Le Bas 等（1986）J. Petrology 27:745-750 与 Le Maitre（2002）。"
                                "点线为各分区的外包络线，不属于原图。"));
    // Field boundaries after Le Bas et al. (1986) / Le Maitre (2002).
    b.line({{41, 0}, {41, 7}})
        .line({{41, 3}, {45, 3}})
        .line({{45, 0}, {45, 5}})
        .line({{41, 7}, {45, 9.4}, {48.4, 11.5}, {52.5, 14}})
        .line({{45, 5}, {49.4, 7.3}, {53, 9.3}, {57.6, 11.7}, {61, 13.5}, {63, 16.2}})
        .line({{45, 9.4}, {49.4, 7.3}, {52, 5}})
        .line({{48.4, 11.5}, {53, 9.3}, {57, 5.9}})
        .line({{52.5, 14}, {57.6, 11.7}, {63, 7}})
        .line({{45, 5}, {52, 5}, {57, 5.9}, {63, 7}, {69, 8}})
        .line({{52, 0}, {52, 5}})
        .line({{57, 0}, {57, 5.9}})
        .line({{63, 0}, {63, 7}})
        .line({{69, 8}, {77.3, 0}})
        .line({{69, 8}, {69, 13}})
        .line({{52.5, 14}, {52.5, 18}})
        .line({{41, 3}, {37, 3}, {35, 9}, {37, 14}, {52.5, 18}, {57, 18}, {63, 16.2}, {69, 13},
               {85.9, 6.8}, {87.5, 4.7}, {77.3, 0}},
              LineType::Dotted);
    b.label(42.68, 11.2, QStringLiteral("副长岩"))
        .label(43.0, 1.5, QStringLiteral("苦橄\n玄武岩"))
        .label(48.5, 2.5, QStringLiteral("玄武岩"))
        .label(54.57, 2.73, QStringLiteral("玄武\n安山岩"))
        .label(60.09, 3.23, QStringLiteral("安山岩"))
        .label(68.49, 3.29, QStringLiteral("英安岩"))
        .label(77.17, 6.33, QStringLiteral("流纹岩"))
        .label(44.21, 6.15, QStringLiteral("碱玄岩/\n碧玄岩"))
        .label(48.96, 9.38, QStringLiteral("响岩质\n碱玄岩"))
        .label(52.91, 11.64, QStringLiteral("碱玄质\n响岩"))
        .label(57.07, 15.23, QStringLiteral("响岩"))
        .label(48.8, 5.77, QStringLiteral("粗面\n玄武岩"))
        .label(53.0, 6.92, QStringLiteral("玄武质\n粗安岩"))
        .label(57.75, 8.52, QStringLiteral("粗安岩"))
        .label(64.18, 11.18, QStringLiteral("粗面岩/\n粗面英安岩"))
        .axisTitles(QStringLiteral("SiO2 (wt%)"), QStringLiteral("Na2O+K2O (wt%)"));
    return b.build();
}

DiagramTemplate ClassificationDiagrams::zrTiO2NbY()
{
    DiagramBuilder b(QStringLiteral("B003"), QStringLiteral("Zr/TiO2-Nb/Y 火山岩分类图"), 1);
    // Log axes: the minor tick is the step inside a decade, the major tick the decade factor.
    b.axes({0.01, 10, 1, 10, 0.01, true, -1}, {0.001, 10, 1, 10, 0.001, true, -1})
        .bitmap()
        .comment(QStringLiteral("据 Winchester 和 Floyd（1977）Chem. Geol. 20:325-343 简化，"
                                "界线坐标为近似值，仅供演示。"));
    b.line({{0.01, 0.011}, {0.65, 0.013}})
        .line({{0.01, 0.022}, {0.65, 0.028}})
        .line({{0.01, 0.065}, {0.65, 0.08}})
        .line({{0.01, 0.22}, {0.65, 0.3}})
        .line({{0.65, 0.001}, {0.65, 0.3}, {0.4, 10}})
        .line({{0.65, 0.013}, {2.2, 0.02}, {10, 0.03}})
        .line({{2.0, 0.001}, {2.2, 0.02}})
        .line({{0.65, 0.08}, {3.0, 0.09}})
        .line({{0.65, 0.3}, {2.5, 0.35}})
        .line({{2.2, 0.02}, {3.0, 0.09}, {2.5, 0.35}, {3.5, 10}});
    b.label(0.06, 1.2, QStringLiteral("流纹岩"))
        .label(0.06, 0.12, QStringLiteral("流纹英安岩/\n英安岩"))
        .label(0.06, 0.04, QStringLiteral("安山岩"))
        .label(0.06, 0.0165, QStringLiteral("安山玄武岩"))
        .label(0.06, 0.004, QStringLiteral("亚碱性玄武岩"))
        .label(1.2, 0.005, QStringLiteral("碱性\n玄武岩"))
        .label(5.0, 0.005, QStringLiteral("碧玄岩/\n霞石岩"))
        .label(1.3, 0.04, QStringLiteral("粗安岩"))
        .label(1.3, 0.16, QStringLiteral("粗面岩"))
        .label(1.4, 1.5, QStringLiteral("钠闪碱流岩/\n碱流岩"))
        .label(6.0, 0.4, QStringLiteral("响岩"))
        .axisTitles(QStringLiteral("Nb/Y"), QStringLiteral("Zr/TiO2"));
    return b.build();
}

DiagramTemplate ClassificationDiagrams::qap()
{
    DiagramBuilder b(QStringLiteral("T002"), QStringLiteral("QAP 深成岩分类图"), 2);
    b.triangle(QStringLiteral("Q"), QStringLiteral("A"), QStringLiteral("P"))
        .vector()
        .comment(QStringLiteral("IUGS 深成岩 QAP 分类（上三角），据 Streckeisen（1976）Earth-Sci. Rev. 12:1-33。"
                                "Q 石英，A 碱性长石，P 斜长石。"));
    // Horizontal lines at Q = 90, 60, 20, 5; the lower fields split at
    // P/(A+P) = 10, 35, 65 and 90 %.
    auto at = [](double q, double ratio) { return Ternary{q, (100 - q) * (1 - ratio), (100 - q) * ratio}; };
    b.ternaryLine({at(90, 0), at(90, 1)})
        .ternaryLine({at(60, 0), at(60, 1)})
        .ternaryLine({at(20, 0), at(20, 1)})
        .ternaryLine({at(5, 0), at(5, 1)})
        .ternaryLine({at(60, 0.10), at(0, 0.10)})
        .ternaryLine({at(60, 0.35), at(20, 0.35)}, LineType::Dashed)
        .ternaryLine({at(20, 0.35), at(0, 0.35)})
        .ternaryLine({at(60, 0.65), at(0, 0.65)})
        .ternaryLine({at(60, 0.90), at(0, 0.90)});
    b.ternaryLabel(at(93, 0.5), QStringLiteral("石英岩"))
        .ternaryLabel(at(75, 0.5), QStringLiteral("富石英花岗岩类"))
        .ternaryLabel(at(40, 0.22), QStringLiteral("正长\n花岗岩"))
        .ternaryLabel(at(40, 0.5), QStringLiteral("二长\n花岗岩"))
        .ternaryLabel(at(40, 0.775), QStringLiteral("花岗\n闪长岩"))
        .ternaryLabel(at(46, 0.99), QStringLiteral("英云\n闪长岩"))
        .ternaryLabel(at(46, 0.01), QStringLiteral("碱长\n花岗岩"))
        .ternaryLabel(at(12, 0.22), QStringLiteral("石英正长岩"))
        .ternaryLabel(at(12, 0.5), QStringLiteral("石英二长岩"))
        .ternaryLabel(at(12, 0.78), QStringLiteral("石英二长闪长岩"))
        .ternaryLabel(at(-3, 0.22), QStringLiteral("正长岩"))
        .ternaryLabel(at(-3, 0.5), QStringLiteral("二长岩"))
        .ternaryLabel(at(-3, 0.78), QStringLiteral("二长闪长岩"))
        .ternaryLabel(at(-7, 0.9), QStringLiteral("闪长岩/\n辉长岩"));
    return b.build();
}

DiagramTemplate ClassificationDiagrams::ultramafic()
{
    DiagramBuilder b(QStringLiteral("T003"), QStringLiteral("Ol-Opx-Cpx 超镁铁质岩分类图"), 2);
    b.triangle(QStringLiteral("Ol"), QStringLiteral("Opx"), QStringLiteral("Cpx"))
        .specialCase(std::nullopt)
        .comment(QStringLiteral("IUGS 超镁铁质岩（橄榄岩与辉石岩）分类，据 Streckeisen（1973）与 Le Maitre（2002）。"));
    b.ternaryLine({{90, 10, 0}, {90, 0, 10}})
        .ternaryLine({{40, 60, 0}, {40, 0, 60}})
        .ternaryLine({{10, 90, 0}, {10, 0, 90}})
        .ternaryLine({{90, 5, 5}, {40, 55, 5}, {0, 90, 10}})
        .ternaryLine({{90, 5, 5}, {40, 5, 55}, {0, 10, 90}});
    b.ternaryLabel({95, 2.5, 2.5}, QStringLiteral("纯橄岩"))
        .ternaryLabel({62, 34, 4}, QStringLiteral("方辉\n橄榄岩"))
        .ternaryLabel({62, 19, 19}, QStringLiteral("二辉橄榄岩"))
        .ternaryLabel({62, 4, 34}, QStringLiteral("异剥\n橄榄岩"))
        .ternaryLabel({25, 37.5, 37.5}, QStringLiteral("橄榄二辉辉石岩"))
        .ternaryLabel({25, 70, 5}, QStringLiteral("橄榄斜方\n辉石岩"))
        .ternaryLabel({25, 5, 70}, QStringLiteral("橄榄单斜\n辉石岩"))
        .ternaryLabel({4.5, 47.75, 47.75}, QStringLiteral("二辉辉石岩"))
        .label(16, -6, QStringLiteral("斜方辉石岩"))
        .label(84, -6, QStringLiteral("单斜辉石岩"));
    return b.build();
}

DiagramTemplate ClassificationDiagrams::sandstone()
{
    DiagramBuilder b(QStringLiteral("T007"), QStringLiteral("Q-F-R 砂岩分类图"), 6);
    b.triangle(QStringLiteral("Q 石英"), QStringLiteral("F 长石"), QStringLiteral("R 岩屑"))
        .comment(QStringLiteral("砂岩成分分类，据 Folk（1974）Petrology of Sedimentary Rocks。"));
    // Below Q = 75 the fields split at F:R = 3:1, 1:1 and 1:3.
    auto at = [](double q, double feldspar) { return Ternary{q, (100 - q) * feldspar, (100 - q) * (1 - feldspar)}; };
    b.ternaryLine({at(95, 1), at(95, 0)})
        .ternaryLine({at(75, 1), at(75, 0)})
        .ternaryLine({at(95, 0.5), at(75, 0.5)})
        .ternaryLine({at(75, 0.75), at(0, 0.75)})
        .ternaryLine({at(75, 0.5), at(0, 0.5)})
        .ternaryLine({at(75, 0.25), at(0, 0.25)});
    b.label(66, 84, QStringLiteral("石英砂岩"))
        .label(33, 73, QStringLiteral("亚长石\n砂岩"))
        .label(67, 73, QStringLiteral("亚岩屑\n砂岩"))
        .ternaryLabel(at(35, 0.875), QStringLiteral("长石\n砂岩"))
        .ternaryLabel(at(35, 0.625), QStringLiteral("岩屑长\n石砂岩"))
        .ternaryLabel(at(35, 0.375), QStringLiteral("长石岩\n屑砂岩"))
        .ternaryLabel(at(35, 0.125), QStringLiteral("岩屑\n砂岩"));
    return b.build();
}

DiagramTemplate ClassificationDiagrams::acnk()
{
    DiagramBuilder b(QStringLiteral("T004"), QStringLiteral("A-CN-K 化学风化三角图"), 6);
    b.triangle(QStringLiteral("Al2O3"), QStringLiteral("CaO*+Na2O"), QStringLiteral("K2O"))
        .bitmap()
        .comment(QStringLiteral("摩尔比例，CaO* 为硅酸盐中的 CaO，据 Nesbitt 和 Young（1984）GCA 48:1523-1534。"
                                "虚线为花岗岩理想风化趋势（示意，近似值）。"));
    b.ternaryLine({{50, 50, 0}, {50, 0, 50}})
        .ternaryLine({{50, 30, 20}, {80, 0, 20}, {100, 0, 0}}, LineType::Dashed);
    // Minerals sit on the sides; their names go just outside.
    b.label(72, 86, QStringLiteral("高岭石、三水铝石"))
        .ternaryLabel({76, 22, 2}, QStringLiteral("蒙脱石"))
        .label(71, 71, QStringLiteral("伊利石"))
        .label(74, 63, QStringLiteral("白云母"))
        .label(15, 44, QStringLiteral("斜长石"))
        .label(85, 44, QStringLiteral("钾长石"))
        .ternaryLabel({45, 32, 23}, QStringLiteral("花岗岩"))
        .label(40, 55, QStringLiteral("风化趋势"));
    return b.build();
}
