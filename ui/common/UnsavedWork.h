#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

enum class PendingAnswer { Keep, Discard, Cancel };

// Asks about work that an action would throw away: `text`, and the buttons
// `keepText` (keep the work, then go on), "放弃" and "取消".
PendingAnswer askAboutPendingWork(QWidget *window, const QString &text, const QString &keepText);

// Before an action that throws away what is not saved. Without unsaved work
// it goes on at once; otherwise "保存" runs `save` and the action goes on only
// when that succeeded, "放弃" lets it go on, "取消" stops it.
bool mayDiscardUnsaved(QWidget *window, bool unsaved, const std::function<bool()> &save);

// Keeps `window` open while `mayClose` says no: its close box, its exit button
// (which closes it), and a desktop session ending, where the session asks.
class UnsavedWorkGuard : public QObject
{
    Q_OBJECT
public:
    UnsavedWorkGuard(QWidget &window, std::function<bool()> mayClose);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool()> m_mayClose;
    // The user already answered at the session's end; back in the window, a
    // cancelled session end leaves the next close to ask again.
    bool m_agreedAtSessionEnd = false;
};
