#include "figure/FigureDrawing.h"

#include <cmath>

QString axisProblem(const AxisSettings &axis)
{
    if (!std::isfinite(axis.minimum) || !std::isfinite(axis.maximum))
        return QStringLiteral("最小值或最大值不是有限的数");
    if (axis.minimum == axis.maximum)
        return QStringLiteral("最小值等于最大值");
    if (axis.logarithmic && (axis.minimum <= 0 || axis.maximum <= 0))
        return QStringLiteral("对数坐标的最小值和最大值必须大于 0");
    return {};
}

bool axisTakes(const AxisSettings &axis, double value)
{
    return std::isfinite(value) && (!axis.logarithmic || value > 0);
}
