#pragma once

#include "platform/listview/ListView.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestInstallRoot.h"
#include "ui/catalogue/fMain.h"

#include <QTest>
#include <QVariantMap>
#include <memory>

// Complete picMain records, so a test names only what it is about.
QVariantMap cartesianFigure(const QString &number, const QString &thumbnail);
QVariantMap triangularFigure(const QString &number, const QString &thumbnail);
void addCartesianFigures(TestInstallRoot &root, int count); // B001/BP001 ... in order

// A catalogue window over a temporary install root, its message boxes answered.
struct CatalogueWindow
{
    explicit CatalogueWindow(std::initializer_list<QVariantMap> figures = {});

    TestInstallRoot root;
    MessageRecorder messages;
    std::unique_ptr<fMain> window;

    fMain &open();
};

template <typename T = QWidget>
T *control(const QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

inline ListView *figureList(const QWidget &window)
{
    return control<ListView>(window, "LvFigure");
}

// What a control shows: its text, or "ticked"/"clear" for a check box.
QString shown(const QWidget &window, const char *name);
// The first of `expected` (control name, text) that the window does not show; empty when all match.
QString firstMismatch(const QWidget &window, const QList<QPair<const char *, QString>> &expected);
// The row texts of the list, "1 2* 3★".
QString marks(const ListView *list);
void type(const QWidget &window, const char *name, const QString &text);

void click(const QWidget &window, const char *button);
// Clicks a diagram-type option on its round indicator.
void clickOption(const QWidget &window, const char *option);
void clickRow(const QWidget &window, int row); // 0-based, as a user would
// Picks a row, types into one field and presses "刷新列表".
void editRow(const QWidget &window, int row, const char *field, const QString &text);
