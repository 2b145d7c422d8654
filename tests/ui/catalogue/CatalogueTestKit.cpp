#include "tests/ui/catalogue/CatalogueTestKit.h"

#include "ui/common/SingleWindow.h"
#include "ui/groups/fGroup.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"

QVariantMap cartesianFigure(const QString &number, const QString &thumbnail)
{
    return {{"th", number}, {"tm", "图 " + number}, {"figName", thumbnail}, {"grp", 3}, {"LB", "B"},
            {"X1", 0.1},    {"X2", 100},        {"X3", 5},              {"X4", 10}, {"X5", -2.5},
            {"X6", 1},      {"X7", 2},          {"Y1", 1},              {"Y2", 1000}, {"Y3", 1},
            {"Y4", 10},     {"Y5", 1},          {"Y6", 0},              {"Y7", -1}, {"border", 1},
            {"specialCase", 4}, {"Comment", "说明 " + number}, {"Vector", 1}, {"Bitmap", 0}};
}

QVariantMap triangularFigure(const QString &number, const QString &thumbnail)
{
    return {{"th", number}, {"tm", "三角图 " + number}, {"figName", thumbnail}, {"grp", 2}, {"LB", "T"},
            {"specialCase", 7}, {"Comment", "三角 " + number}, {"Vector", 0}, {"Bitmap", 1}};
}

void addCartesianFigures(TestInstallRoot &root, int count)
{
    for (int i = 1; i <= count; ++i) {
        const QString n = QString("%1").arg(i, 3, 10, QChar('0'));
        root.insertFigure(cartesianFigure("B" + n, "BP" + n));
    }
}

CatalogueWindow::CatalogueWindow(std::initializer_list<QVariantMap> figures)
{
    for (const QVariantMap &figure : figures)
        root.insertFigure(figure);
}

fMain &CatalogueWindow::open()
{
    window = std::make_unique<fMain>();
    window->Form_Load();
    return *window;
}

void closeSubEditors()
{
    delete SingleWindow<fGroup>::instance();
    delete SingleWindow<fPicData>::instance();
    delete SingleWindow<fPicLbl>::instance();
}

void clickOption(const QWidget &window, const char *option)
{
    QWidget *button = control(window, option);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

void clickRow(const QWidget &window, int row)
{
    clickRow(figureList(window), row);
}

void editRow(const QWidget &window, int row, const char *field, const QString &text)
{
    clickRow(window, row);
    type(window, field, text);
    click(window, "cmdUpdate");
}
