#pragma once

#include "platform/listview/ListView.h"
#include "tests/support/TestInstallRoot.h"
#include "ui/catalogue/fMain.h"

#include <QTest>
#include <QVariantMap>

// Complete picMain records, so a test names only what it is about.
QVariantMap cartesianFigure(const QString &number, const QString &thumbnail);
QVariantMap triangularFigure(const QString &number, const QString &thumbnail);

template <typename T>
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

inline void click(const QWidget &window, const char *button)
{
    QTest::mouseClick(control<QWidget>(window, button), Qt::LeftButton);
}

// Picks a diagram type by clicking its option button on its round indicator.
inline void clickOption(const QWidget &window, const char *option)
{
    QWidget *button = control<QWidget>(window, option);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Clicks row `row` (0-based) of the figure list as a user would.
void clickRow(const QWidget &window, int row);
