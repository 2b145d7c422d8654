#pragma once

#include "platform/geometry/Twips.h"
#include "ui/common/ControlText.h"

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>
#include <type_traits>

// Builds the controls of a window as it was designed: a named child placed in
// twips with its initial caption or text. Combo boxes are editable; Tab
// leaves a multi-line box for the next control, as in the designed tab order.
template <typename T>
T *makeControl(QWidget *parent, const char *name, const QString &text, int left, int top, int width, int height)
{
    auto *w = new T(parent);
    w->setObjectName(QLatin1String(name));
    if constexpr (std::is_same_v<T, QComboBox>) {
        w->setEditable(true);
        w->setCurrentText(text);
    } else if constexpr (std::is_same_v<T, QPlainTextEdit>) {
        setControlText(w, text);
        w->setTabChangesFocus(true);
    } else if constexpr (std::is_same_v<T, QGroupBox>) {
        w->setTitle(text);
    } else {
        w->setText(text);
    }
    placeInTwips(w, left, top, width, height);
    return w;
}

QFont fontOf(const QStringList &families, int pointSize, bool bold = false);
// 宋体 9 pt, the font every window is designed in.
QFont formFont();

// Adds `items` to an editable combo box without changing the text it shows.
void addItemsKeepingText(QComboBox *combo, const QStringList &items);

// Tab order as the window was designed: focus moves through `widgets` in turn.
void setTabOrderOf(const QList<QWidget *> &widgets);
