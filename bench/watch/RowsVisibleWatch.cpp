#include "bench/watch/RowsVisibleWatch.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <cstdio>

namespace {

long long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QWidget *widgetNamed(const QString &name)
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (widget->objectName() == name)
            return widget;
    }
    return nullptr;
}

int rowsOf(const QWidget *widget)
{
    const auto *view = qobject_cast<const QAbstractItemView *>(widget);
    return view && view->model() ? view->model()->rowCount() : -1;
}

} // namespace

RowsVisibleWatch::RowsVisibleWatch()
    : m_list(qEnvironmentVariable("QUILLAR_WATCH_LIST"))
    , m_switches(qEnvironmentVariable("QUILLAR_WATCH_SWITCHES").split(QLatin1Char(','), Qt::SkipEmptyParts))
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool RowsVisibleWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && m_waiting && !m_painted && isWatchedPaint(watched)) {
        m_painted = true;
        // Runs once this paint, the rest of the window's and the flush to the X server are done.
        QTimer::singleShot(0, this, &RowsVisibleWatch::rowsVisible);
    }
    return false;
}

// The named widget itself, or the viewport an item view paints its rows into.
bool RowsVisibleWatch::isWatchedPaint(QObject *watched) const
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    if (widget->objectName() != m_list) {
        const auto *view = qobject_cast<QAbstractItemView *>(widget->parentWidget());
        if (!view || view->objectName() != m_list || view->viewport() != widget)
            return false;
        return rowsOf(view) > 0;
    }
    return rowsOf(widget) != 0;
}

void RowsVisibleWatch::rowsVisible()
{
    const auto now = std::chrono::steady_clock::now();
    m_waiting = false;
    if (m_pressed == std::chrono::steady_clock::time_point()) {
        std::fprintf(stderr, "watch visible %lld\n",
                     static_cast<long long>(std::chrono::nanoseconds(now.time_since_epoch()).count()));
        std::fprintf(stderr, "watch peak-kb %lld\n", peakKilobytes());
    } else {
        std::fprintf(stderr, "watch switch %s %.2f %d\n", qPrintable(m_switches.constFirst()),
                     std::chrono::duration<double, std::milli>(now - m_pressed).count(), rowsOf(widgetNamed(m_list)));
        m_switches.removeFirst();
        if (m_switches.isEmpty())
            std::fprintf(stderr, "watch peak-kb %lld\n", peakKilobytes());
    }
    if (m_switches.isEmpty()) {
        QCoreApplication::quit();
        return;
    }
    // A pause first, as a user's click comes after the window has settled.
    QTimer::singleShot(200, this, &RowsVisibleWatch::pressNext);
}

void RowsVisibleWatch::pressNext()
{
    auto *button = qobject_cast<QAbstractButton *>(widgetNamed(m_switches.constFirst()));
    if (!button) {
        std::fprintf(stderr, "watch: no button %s\n", qPrintable(m_switches.constFirst()));
        QCoreApplication::exit(1);
        return;
    }
    m_waiting = true;
    m_painted = false;
    m_pressed = std::chrono::steady_clock::now();
    button->click();
}
