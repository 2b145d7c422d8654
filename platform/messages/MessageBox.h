#pragma once

#include <QMap>
#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

// Every message box of the program goes through here, so tests can answer it
// without a modal loop.
struct MessageRequest
{
    QString text;
    QString detail; // shown only when asked for; empty: no details button
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    // Own texts for some of `buttons` ("保存" for Save); the answer is still
    // the standard button, so Escape and the hook work as for any box.
    QMap<QMessageBox::StandardButton, QString> buttonTexts;
};

namespace MessageBox {

QMessageBox::StandardButton show(QWidget *parent, const MessageRequest &request);

// The title of every box: the program's display name (the executable's name until set).
void setTitle(const QString &title);
QString title();

// While set, show() hands each request to the hook instead of opening a box
// and returns the hook's answer.
using Hook = std::function<QMessageBox::StandardButton(const MessageRequest &)>;
void setHook(Hook hook);

} // namespace MessageBox
