#pragma once

#include <QString>
#include <stdexcept>

// A failed database step. The reason is written for a person: it ends up in the
// detail text of the message box that reports the failure.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &reason)
        : std::runtime_error(reason.toStdString()), m_reason(reason) {}

    QString reason() const { return m_reason; }

private:
    QString m_reason;
};
