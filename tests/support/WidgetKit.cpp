#include "tests/support/WidgetKit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

QString shown(const QWidget &window, const char *name)
{
    QWidget *c = control(window, name);
    if (auto *box = qobject_cast<QCheckBox *>(c))
        return box->isChecked() ? "ticked" : "clear";
    if (auto *button = qobject_cast<QAbstractButton *>(c))
        return button->text();
    if (auto *combo = qobject_cast<QComboBox *>(c))
        return combo->currentText();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(c))
        return memo->toPlainText();
    if (auto *label = qobject_cast<QLabel *>(c))
        return label->text();
    return qobject_cast<QLineEdit *>(c)->text();
}

QString firstMismatch(const QWidget &window, const QList<QPair<const char *, QString>> &expected)
{
    for (const auto &[name, text] : expected) {
        if (shown(window, name) != text)
            return QString("%1 shows \"%2\", not \"%3\"").arg(name, shown(window, name), text);
    }
    return QString();
}

QString marks(const ListView *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->text(row);
    return texts.join(' ');
}

void type(const QWidget &window, const char *name, const QString &text)
{
    QWidget *c = control(window, name);
    if (auto *combo = qobject_cast<QComboBox *>(c))
        combo->setCurrentText(text);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(c))
        memo->setPlainText(text);
    else
        qobject_cast<QLineEdit *>(c)->setText(text);
}

void click(const QWidget &window, const char *button)
{
    QTest::mouseClick(control(window, button), Qt::LeftButton);
}

void clickRow(ListView *list, int row)
{
    list->scrollTo(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 1)).center());
}

bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void typeAndLeave(const QWidget &window, const char *field, const QString &text, const char *next)
{
    control(window, field)->setFocus(Qt::TabFocusReason);
    type(window, field, text);
    control(window, next)->setFocus(Qt::TabFocusReason);
}

void pickEntry(const QWidget &window, const char *combo, const QString &entry)
{
    auto *box = control<QComboBox>(window, combo);
    box->setFocus(Qt::TabFocusReason);
    box->setCurrentIndex(box->findText(entry));
}

void shiftClickRow(ListView *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      list->visualRect(list->model()->index(row, 1)).center());
}

void pressOnList(ListView *list, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (!list->window()->isActiveWindow() && !showActive(*list->window()))
        qFatal("the list's window did not become active");
    list->setFocus();
    QTest::keyClick(list, key, modifiers);
    QCoreApplication::processEvents();
}

QStringList menuAt(ListView *list, int row)
{
    QStringList entries;
    QTimer::singleShot(0, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (QAction *action : menu->actions()) {
                if (!action->isSeparator())
                    entries << action->text() + ':' + (action->isEnabled() ? "on" : "off");
            }
            menu->close();
        }
    });
    const QPoint at = list->visualRect(list->model()->index(row, 1)).center();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    QCoreApplication::processEvents();
    return entries;
}

