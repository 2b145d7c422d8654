#pragma once

#include <QString>
#include <stdexcept>

// A failed database step, told for a person. The cause, in Chinese and on one
// line, is what the message box says; the details (the statement, SQLite's own words) go
// only into its detail text, after the cause.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &cause, const QString &details = QString())
        : std::runtime_error(cause.toStdString()), m_cause(cause), m_details(details) {}

    QString cause() const { return m_cause; }
    QString details() const { return m_details; }
    // A failure text: the cause on the first line, the details on the lines after it.
    QString reason() const { return m_details.isEmpty() ? m_cause : m_cause + QLatin1Char('\n') + m_details; }

private:
    QString m_cause;
    QString m_details;
};

// The cause of a failure text made by DbError::reason(): its first line.
inline QString causeOfFailure(const QString &failure)
{
    return failure.section(QLatin1Char('\n'), 0, 0);
}
