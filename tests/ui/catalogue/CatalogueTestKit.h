#pragma once

#include "tests/support/MessageRecorder.h"
#include "tests/support/TestInstallRoot.h"
#include "tests/support/WidgetKit.h"
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

inline ListView *figureList(const QWidget &window)
{
    return control<ListView>(window, "LvFigure");
}

// Closes the group, point and label windows the catalogue opened, unsaved
// work and all, so the next test finds none open.
void closeSubEditors();

// Clicks a diagram-type option on its round indicator.
void clickOption(const QWidget &window, const char *option);
void clickRow(const QWidget &window, int row); // 0-based, as a user would
// Picks a row, types into one field and presses "刷新列表".
void editRow(const QWidget &window, int row, const char *field, const QString &text);
