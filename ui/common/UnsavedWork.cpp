#include "ui/common/UnsavedWork.h"

#include "platform/messages/MessageBox.h"

#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QWidget>

PendingAnswer askAboutPendingWork(QWidget *window, const QString &text, const QString &keepText)
{
    MessageRequest request;
    request.icon = QMessageBox::Question;
    request.text = text;
    request.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    // Qt's own Chinese for Discard is "丢弃"; and set texts carry no accelerator.
    request.buttonTexts = {{QMessageBox::Save, keepText},
                           {QMessageBox::Discard, QStringLiteral("放弃")},
                           {QMessageBox::Cancel, QStringLiteral("取消")}};
    switch (MessageBox::show(window, request)) {
    case QMessageBox::Save:
        return PendingAnswer::Keep;
    case QMessageBox::Discard:
        return PendingAnswer::Discard;
    default: // Escape and the frame's close button as well
        return PendingAnswer::Cancel;
    }
}

bool mayDiscardUnsaved(QWidget *window, bool unsaved, const std::function<bool()> &save)
{
    if (!unsaved)
        return true;
    switch (askAboutPendingWork(window, QStringLiteral("有未保存的修改。是否先保存？"), QStringLiteral("保存"))) {
    case PendingAnswer::Keep:
        return save();
    case PendingAnswer::Discard:
        return true;
    case PendingAnswer::Cancel:
        break;
    }
    return false;
}

UnsavedWorkGuard::UnsavedWorkGuard(QWidget &window, std::function<bool()> mayClose)
    : QObject(&window), m_mayClose(std::move(mayClose))
{
    window.installEventFilter(this);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &session) {
        if (!session.allowsInteraction())
            return; // no question may be asked now; the work stays in the window
        if (m_mayClose())
            m_agreedAtSessionEnd = true;
        else
            session.cancel();
        session.release();
    });
}

bool UnsavedWorkGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        m_agreedAtSessionEnd = false;
    if (event->type() == QEvent::Close && !m_agreedAtSessionEnd && !m_mayClose()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
