#include "tools/TectonicDiagrams.h"

#include "tools/DiagramBuilder.h"

#include <array>

DiagramTemplate TectonicDiagrams::nbY()
{
    DiagramBuilder b(QStringLiteral("B005"), QStringLiteral("Nb-Y 花岗岩构造环境判别图"), 4);
    b.axes({1, 1000, 1, 10, 1, true, -1}, {1, 1000, 1, 10, 1, true, -1})
        .vector()
        .bitmap()
        .comment(QStringLiteral("据 Pearce、Harris 和 Tindle（1984）J. Petrology 25:956-983，坐标为近似值。"));
    b.line({{1.7, 1000}, {50, 10}})
        .line({{50, 10}, {1000, 100}})
        .line({{50, 10}, {25, 1}});
    b.label(5, 4, QStringLiteral("火山弧花岗岩+\n同碰撞花岗岩"))
        .label(100, 200, QStringLiteral("板内花岗岩"))
        .label(300, 8, QStringLiteral("洋脊花岗岩"))
        .axisTitles(QStringLiteral("Y (ppm)"), QStringLiteral("Nb (ppm)"));
    return b.build();
}

DiagramTemplate TectonicDiagrams::rbYNb()
{
    DiagramBuilder b(QStringLiteral("B006"), QStringLiteral("Rb-(Y+Nb) 花岗岩构造环境判别图"), 4);
    b.axes({1, 2000, 1, 10, 1, true, -1}, {1, 2000, 1, 10, 1, true, -1})
        .comment(QStringLiteral("据 Pearce、Harris 和 Tindle（1984）J. Petrology 25:956-983，坐标为近似值。"));
    b.line({{2, 80}, {55, 300}, {400, 2000}})
        .line({{55, 300}, {51.5, 8}, {50, 1}})
        .line({{51.5, 8}, {2000, 400}});
    b.label(5, 600, QStringLiteral("同碰撞花岗岩"))
        .label(8, 10, QStringLiteral("火山弧花岗岩"))
        .label(300, 200, QStringLiteral("板内花岗岩"))
        .label(500, 10, QStringLiteral("洋脊花岗岩"))
        .axisTitles(QStringLiteral("Y+Nb (ppm)"), QStringLiteral("Rb (ppm)"));
    return b.build();
}

DiagramTemplate TectonicDiagrams::tiV()
{
    DiagramBuilder b(QStringLiteral("B007"), QStringLiteral("Ti-V 玄武岩构造环境判别图"), 4);
    b.axes({0, 25, 1, 5, 0, false, 0}, {0, 650, 50, 100, 0, false, 0})
        .vector()
        .comment(QStringLiteral("据 Shervais（1982）EPSL 59:101-118；斜线为 Ti/V 比值等值线。"));
    // Straight lines through the origin: V = 1000 * (Ti/1000) / ratio.
    b.line({{0, 0}, {6.5, 650}})
        .line({{0, 0}, {13, 650}})
        .line({{0, 0}, {25, 500}})
        .line({{0, 0}, {25, 250}});
    b.label(5.0, 610, QStringLiteral("10"))
        .label(12.0, 610, QStringLiteral("20"))
        .label(23.5, 500, QStringLiteral("50"))
        .label(23.5, 270, QStringLiteral("100"))
        .label(7.5, 520, QStringLiteral("岛弧\n拉斑玄武岩"))
        .label(16, 480, QStringLiteral("洋中脊与\n弧后盆地玄武岩"))
        .label(20, 330, QStringLiteral("洋岛与\n碱性玄武岩"))
        .axisTitles(QStringLiteral("Ti/1000 (ppm)"), QStringLiteral("V (ppm)"));
    return b.build();
}

DiagramTemplate TectonicDiagrams::tiZrY()
{
    DiagramBuilder b(QStringLiteral("T005"), QStringLiteral("Ti-Zr-Y 玄武岩构造环境判别图"), 4);
    b.triangle(QStringLiteral("Ti/100"), QStringLiteral("Zr"), QStringLiteral("Y×3"))
        .comment(QStringLiteral("据 Pearce 和 Cann（1973）EPSL 19:290-300，坐标为近似值，仅供演示。"));
    b.ternaryLine({{60, 22, 18}, {45, 15, 40}, {28, 22, 50}, {15, 40, 45}, {15, 55, 30}, {30, 60, 10}, {50, 40, 10},
                   {60, 22, 18}})
        .ternaryLine({{55, 31, 14}, {15, 50, 35}})
        .ternaryLine({{45, 15, 40}, {46, 35.3, 18.7}})
        .ternaryLine({{28, 22, 50}, {29, 43.35, 27.65}});
    b.ternaryLabel({52, 25, 23}, QStringLiteral("A"))
        .ternaryLabel({37, 30, 33}, QStringLiteral("B"))
        .ternaryLabel({21, 36, 43}, QStringLiteral("C"))
        .ternaryLabel({32, 52, 16}, QStringLiteral("D"))
        .label(14, 74,
               QStringLiteral("A 岛弧拉斑玄武岩\nB 洋中脊玄武岩、岛弧\n   拉斑与钙碱性玄武岩\n"
                              "C 钙碱性玄武岩\nD 板内玄武岩"));
    return b.build();
}

DiagramTemplate TectonicDiagrams::hfRbTa()
{
    DiagramBuilder b(QStringLiteral("T006"), QStringLiteral("Hf-Rb/30-Ta×3 花岗岩构造环境判别图"), 4);
    b.triangle(QStringLiteral("Rb/30"), QStringLiteral("Hf"), QStringLiteral("Ta×3"))
        .specialCase(std::nullopt)
        .comment(QStringLiteral("据 Harris、Pearce 和 Tindle（1986）Geol. Soc. Special Publication 19:67-81，坐标为近似值。"));
    b.ternaryLine({{50, 50, 0}, {35, 40, 25}, {50, 0, 50}})
        .ternaryLine({{35, 40, 25}, {15, 55, 30}, {0, 60, 40}})
        .ternaryLine({{15, 55, 30}, {42.5, 20, 37.5}});
    b.ternaryLabel({70, 15, 15}, QStringLiteral("同碰撞"))
        .ternaryLabel({10, 75, 15}, QStringLiteral("火山弧"))
        .ternaryLabel({10, 25, 65}, QStringLiteral("板内"))
        .ternaryLabel({31, 38, 31}, QStringLiteral("碰撞晚期-\n后碰撞"));
    return b.build();
}

DiagramTemplate TectonicDiagrams::reePattern()
{
    DiagramBuilder b(QStringLiteral("B011"), QStringLiteral("稀土元素球粒陨石标准化配分图"), 7);
    // X is the position of the element in the rare-earth row, not a quantity.
    b.axes({0, 15, 1, 1, 0, false, 0}, {1, 1000, 1, 10, 1, true, -1})
        .bitmap()
        .specialCase(1)
        .comment(QStringLiteral("球粒陨石标准化值及洋岛玄武岩、E-MORB、N-MORB 参考曲线均据 Sun 和 McDonough（1989）"
                                "Geol. Soc. Special Publication 42:313-345。"));
    static const std::array<const char *, 14> elements = {"La", "Ce", "Pr", "Nd", "Sm", "Eu", "Gd",
                                                          "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu"};
    static const std::array<double, 14> chondrite = {0.237, 0.612, 0.095, 0.467, 0.153, 0.058, 0.2055,
                                                     0.0374, 0.254, 0.0566, 0.1655, 0.0255, 0.17, 0.0254};
    static const std::array<double, 14> oib = {37, 80, 9.7, 38.5, 10, 3, 7.62, 1.05, 5.6, 1.06, 2.62, 0.35, 2.16, 0.3};
    static const std::array<double, 14> emorb = {6.3, 15, 2.05, 9, 2.6, 0.91, 2.97, 0.53, 3.55, 0.79, 2.31, 0.356,
                                                 2.37, 0.354};
    static const std::array<double, 14> nmorb = {2.5, 7.5, 1.32, 7.3, 2.63, 1.02, 3.68, 0.67, 4.55, 1.01, 2.97,
                                                 0.456, 3.05, 0.455};
    auto normalised = [](const std::array<double, 14> &ppm) {
        QList<QPointF> points;
        for (size_t i = 0; i < ppm.size(); ++i)
            points << QPointF(double(i + 1), ppm[i] / chondrite[i]);
        return points;
    };
    b.line(normalised(oib)).line(normalised(emorb), LineType::Dashed).line(normalised(nmorb), LineType::Dotted);
    for (size_t i = 0; i < elements.size(); ++i)
        b.label(double(i + 1), 1.5, QString::fromLatin1(elements[i]));
    b.label(4.0, 300, QStringLiteral("洋岛玄武岩"))
        .label(2.5, 40, QStringLiteral("E-MORB"))
        .label(7.0, 8, QStringLiteral("N-MORB"))
        .axisTitles(QString(), QStringLiteral("样品/球粒陨石"));
    return b.build();
}
