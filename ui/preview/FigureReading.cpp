#include "ui/preview/FigureReading.h"

#include "platform/database/ColumnKind.h"
#include "platform/database/DbError.h"
#include "ui/common/NumberText.h"
#include "ui/common/RowEditing.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Converts cell texts the way a save would, noting what it cannot take.
class CellReader
{
public:
    explicit CellReader(QStringList &notes) : m_notes(notes) {}

    // `what` names the value in the note, e.g. "点 5 未画出".
    std::optional<double> number(const QString &text, const QString &field, const QString &what)
    {
        if (text.trimmed().isEmpty()) {
            m_notes << QStringLiteral("%1：%2 为空").arg(what, field);
            return std::nullopt;
        }
        try {
            return toStoredValue(ColumnKind::Real, text, field).toDouble();
        } catch (const DbError &e) {
            m_notes << QStringLiteral("%1：%2").arg(what, e.reason());
            return std::nullopt;
        }
    }

    bool flag(const QString &text, const QString &field, const QString &what)
    {
        if (text.trimmed().isEmpty())
            return false;
        try {
            return toStoredValue(ColumnKind::Boolean, text, field).toInt() != 0;
        } catch (const DbError &e) {
            m_notes << QStringLiteral("%1：%2").arg(what, e.reason());
            return false;
        }
    }

private:
    QStringList &m_notes;
};

QString cellOf(const ListRow &row, int cell)
{
    return cell - 1 < row.cells.size() ? row.cells[cell - 1] : QString();
}

AxisSettings readAxis(const QHash<QString, QString> &record, QChar letter, CellReader &cells, QStringList &notes)
{
    const QString what = QStringLiteral("%1 轴未画刻度").arg(letter);
    const auto field = [&](int k) { return letter + QString::number(k); };
    const auto number = [&](int k) { return cells.number(record.value(field(k)), field(k), what); };
    AxisSettings axis;
    const auto minimum = number(1);
    const auto maximum = number(2);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    axis.minimum = minimum.value_or(nan);
    axis.maximum = maximum.value_or(nan);
    axis.minorTick = number(3).value_or(0);
    axis.majorTick = number(4).value_or(0);
    axis.crossing = number(5).value_or(axis.minimum);
    axis.logarithmic = cells.flag(record.value(field(6)), field(6), what);
    const double decimals = leadingNumber(record.value(field(7)));
    axis.decimals = decimals >= -1 && decimals <= 10 ? static_cast<int>(decimals) : 0;
    const QString problem = axisProblem(axis);
    if (minimum && maximum && !problem.isEmpty())
        notes << QStringLiteral("%1：%2").arg(what, problem);
    return axis;
}

bool drawsOn(const FigureDrawing &figure, double x, double y)
{
    if (figure.triangular)
        return true;
    const auto takes = [](const AxisSettings &axis, double v) { return !axisProblem(axis).isEmpty() || axisTakes(axis, v); };
    return takes(figure.x, x) && takes(figure.y, y);
}

void readPoints(std::span<const ListRow> rows, FigureDrawing &figure, CellReader &cells, QStringList &notes)
{
    // Lines run through their points in point-number order, wherever a row
    // stands; each number is read once, not at every comparison.
    std::vector<std::pair<double, const ListRow *>> ordered;
    for (const ListRow &row : rows) {
        if (row.tag != RowState::Deleted)
            ordered.emplace_back(leadingNumber(row.text), &row);
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &[_, row] : ordered) {
        const QString number = numberWithMark(row->text, QString());
        const QString what = QStringLiteral("点 %1 未画出").arg(number);
        const auto series = cells.number(cellOf(*row, 1), QStringLiteral("Series"), what);
        const auto x = cells.number(cellOf(*row, 3), QStringLiteral("X"), what);
        const auto y = cells.number(cellOf(*row, 4), QStringLiteral("Y"), what);
        if (!series || !x || !y)
            continue;
        if (!drawsOn(figure, *x, *y)) {
            notes << QStringLiteral("%1：对数坐标上的值必须大于 0").arg(what);
            continue;
        }
        FigurePoint point;
        point.series = static_cast<int>(std::clamp(*series, -1e9, 1e9));
        point.x = *x;
        point.y = *y;
        point.curve = cells.flag(cellOf(*row, 2), QStringLiteral("curve"), QStringLiteral("点 %1 按直线画").arg(number));
        const QString lineText = cellOf(*row, 5);
        const double line = leadingNumber(lineText);
        if (line == 0 || line == 1 || line == 2 || line == 3) {
            point.line = static_cast<LineType>(static_cast<int>(line));
        } else {
            notes << QStringLiteral("点 %1 不连线：线型“%2”不是 0 到 3").arg(number, lineText);
        }
        figure.points << point;
    }
}

void readLabels(std::span<const ListRow> rows, FigureDrawing &figure, CellReader &cells, QStringList &notes)
{
    for (const ListRow &row : rows) {
        if (row.tag == RowState::Deleted)
            continue;
        const QString what = QStringLiteral("标签 %1 未画出").arg(numberWithMark(row.text, QString()));
        const auto x = cells.number(cellOf(row, 1), QStringLiteral("X"), what);
        const auto y = cells.number(cellOf(row, 2), QStringLiteral("Y"), what);
        if (!x || !y)
            continue;
        if (!drawsOn(figure, *x, *y)) {
            notes << QStringLiteral("%1：对数坐标上的值必须大于 0").arg(what);
            continue;
        }
        QString text = cellOf(row, 3);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        figure.labels << FigureLabel{*x, *y, text};
    }
}

} // namespace

ReadFigure readFigure(const FigureRows &rows)
{
    ReadFigure read;
    FigureDrawing &figure = read.drawing;
    CellReader cells(read.notes);
    if (rows.record) {
        const QHash<QString, QString> &record = *rows.record;
        figure.triangular = record.value(QStringLiteral("LB")).trimmed().compare(QLatin1String("T"), Qt::CaseInsensitive) == 0;
        if (!figure.triangular) {
            figure.x = readAxis(record, QLatin1Char('X'), cells, read.notes);
            figure.y = readAxis(record, QLatin1Char('Y'), cells, read.notes);
            figure.border = cells.flag(record.value(QStringLiteral("border")), QStringLiteral("border"), QStringLiteral("边框未画"));
        }
    } else {
        // Without its record the figure is drawn over the range its values span.
        read.notes << QStringLiteral("目录中没有这个图版的记录，坐标轴按数据范围画，未画刻度");
        figure.x.minimum = figure.x.maximum = 0;
        figure.y.minimum = figure.y.maximum = 0;
    }
    readPoints(rows.points, figure, cells, read.notes);
    readLabels(rows.labels, figure, cells, read.notes);
    return read;
}
