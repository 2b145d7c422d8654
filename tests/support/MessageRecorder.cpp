#include "tests/support/MessageRecorder.h"

MessageRecorder::MessageRecorder()
{
    MessageBox::setHook([this](const MessageRequest &request) {
        m_shown << request;
        return m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
    });
}

MessageRecorder::~MessageRecorder()
{
    MessageBox::setHook({});
}
