#pragma once

#include "platform/geometry/Twips.h"
#include "ui/common/CaptionFrame.h"
#include "ui/common/ControlText.h"

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <type_traits>

class ListView;

// Builds the controls of a window as it was designed: a named child placed in
// twips with its initial caption or text. Combo boxes are editable and keep
// what is typed exactly (no completion; Return adds no entry), since a typed
// text is the user's value; Tab leaves a multi-line box for the next control,
// as in the designed tab order.
template <typename T>
T *makeControl(QWidget *parent, const char *name, const QString &text, int left, int top, int width, int height)
{
    // Frames are drawn as designed: the caption sits in the border line.
    using Made = std::conditional_t<std::is_same_v<T, QGroupBox>, CaptionFrame, T>;
    auto *w = new Made(parent);
    w->setObjectName(QLatin1String(name));
    if constexpr (std::is_same_v<T, QComboBox>) {
        w->setEditable(true);
        w->setCompleter(nullptr);
        w->setInsertPolicy(QComboBox::NoInsert);
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

// A list placed in twips as designed; its columns come with the window's load.
ListView *makeList(QWidget *parent, const char *name, int left, int top, int width, int height);

// The window itself as designed: its name, its caption when it has one, a
// client area of `width` x `height` twips that keeps its size, and the form
// font its controls inherit.
void designWindow(QWidget *window, const char *name, int width, int height, const QString &caption = {});

QFont fontOf(const QStringList &families, int pointSize, bool bold = false);
// 宋体 9 pt, the font every window is designed in. Where it is missing, AR PL
// UMing stands in: its metrics are close, so captions fit their boxes.
QFont formFont();
// 楷体, with AR PL UKai standing in the same way.
QFont kaiFont(int pointSize, bool bold);

// Adds `items` to an editable combo box without changing the text it shows.
void addItemsKeepingText(QComboBox *combo, const QStringList &items);

// Tab order as the window was designed: focus moves through `widgets` in turn.
void setTabOrderOf(const QList<QWidget *> &widgets);

// Ctrl+S in `window` presses `save`. The focus moves to the button first, as
// with a click, so an edit still pending in a field reaches its row.
void addSaveKey(QWidget *window, QPushButton *save);
