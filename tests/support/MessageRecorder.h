#pragma once

#include "platform/messages/MessageBox.h"

#include <QList>

// Answers the program's message boxes for the life of the object and keeps
// every request, so a test can check what the user would have been told.
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();

    void answerNextWith(QMessageBox::StandardButton answer) { m_answers << answer; }
    const QList<MessageRequest> &shown() const { return m_shown; }
    int count() const { return m_shown.size(); }
    MessageRequest last() const { return m_shown.isEmpty() ? MessageRequest{} : m_shown.last(); }
    void clear() { m_shown.clear(); }

private:
    QList<MessageRequest> m_shown;
    QList<QMessageBox::StandardButton> m_answers;
};
