#pragma once

#include "platform/listview/ListView.h"

#include <QList>
#include <QPair>
#include <QTest>
#include <QWidget>

// Finding and driving a window's controls by objectName, as a user would.

template <typename T = QWidget>
T *control(const QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// What a control shows: its text, or "ticked"/"clear" for a check box.
QString shown(const QWidget &window, const char *name);
// The first of `expected` (control name, text) that the window does not show; empty when all match.
QString firstMismatch(const QWidget &window, const QList<QPair<const char *, QString>> &expected);
// The row texts of the list, "1 2* 3★".
QString marks(const ListView *list);
// Replaces a field's text without moving the focus.
void type(const QWidget &window, const char *name, const QString &text);

void click(const QWidget &window, const char *button);
void clickRow(ListView *list, int row); // 0-based, as a user would
void shiftClickRow(ListView *list, int row);
// A key pressed on the focused list of the active window; the step it made
// ends with the event loop's turn, as before a user's next key.
void pressOnList(ListView *list, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Right-clicks `row` and returns the entries of the context menu it opened,
// as "text:on" or "text:off"; empty when none opened.
QStringList menuAt(ListView *list, int row);

// Shows the window and makes it the active one, so focus moves as on a desktop.
bool showActive(QWidget &window);
// Gives the field the focus, replaces its text with `text` and moves the focus
// on to `next`: what a user does who types into a field and tabs or clicks away.
void typeAndLeave(const QWidget &window, const char *field, const QString &text, const char *next);
// Picks an entry of a combo box's list, with the combo box focused.
void pickEntry(const QWidget &window, const char *combo, const QString &entry);
