#include "platform/messages/MessageBox.h"

#include <QAbstractButton>
#include <QCoreApplication>

namespace {

MessageBox::Hook &hook()
{
    static MessageBox::Hook h;
    return h;
}

QString &boxTitle()
{
    static QString t;
    return t;
}

} // namespace

QMessageBox::StandardButton MessageBox::show(QWidget *parent, const MessageRequest &request)
{
    if (hook())
        return hook()(request);
    QMessageBox box(request.icon, title(), request.text, request.buttons, parent);
    for (auto it = request.buttonTexts.cbegin(); it != request.buttonTexts.cend(); ++it) {
        if (QAbstractButton *button = box.button(it.key()))
            button->setText(it.value());
    }
    if (!request.detail.isEmpty())
        box.setDetailedText(request.detail);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::setHook(Hook h)
{
    hook() = std::move(h);
}

void MessageBox::setTitle(const QString &title)
{
    boxTitle() = title;
}

QString MessageBox::title()
{
    return boxTitle().isEmpty() ? QCoreApplication::applicationName() : boxTitle();
}
