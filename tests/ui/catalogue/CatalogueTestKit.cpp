#include "tests/ui/catalogue/CatalogueTestKit.h"

QVariantMap cartesianFigure(const QString &number, const QString &thumbnail)
{
    return {{"th", number},   {"tm", QStringLiteral("图 ") + number}, {"figName", thumbnail}, {"grp", 3},
            {"LB", "B"},      {"X1", 0.1},  {"X2", 100}, {"X3", 5},    {"X4", 10},  {"X5", -2.5},
            {"X6", 1},        {"X7", 2},    {"Y1", 1},   {"Y2", 1000}, {"Y3", 1},   {"Y4", 10},
            {"Y5", 1},        {"Y6", 0},    {"Y7", -1},  {"border", 1}, {"specialCase", 4},
            {"Comment", QStringLiteral("说明 ") + number}, {"Vector", 1}, {"Bitmap", 0}};
}

QVariantMap triangularFigure(const QString &number, const QString &thumbnail)
{
    return {{"th", number}, {"tm", QStringLiteral("三角图 ") + number}, {"figName", thumbnail}, {"grp", 2},
            {"LB", "T"},    {"specialCase", 7}, {"Comment", QStringLiteral("三角 ") + number},
            {"Vector", 0},  {"Bitmap", 1}};
}

void clickRow(const QWidget &window, int row)
{
    ListView *list = figureList(window);
    list->scrollTo(list->model()->index(row, 0));
    const QRect cell = list->visualRect(list->model()->index(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}
