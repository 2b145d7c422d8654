#pragma once

#include <QObject>
#include <QStringList>
#include <chrono>

// Loaded into a program under measurement as a Qt generic plugin
// (QT_QPA_GENERIC_PLUGINS=rowsvisible), so the program itself carries no
// timing code. It waits for the first paint of the widget named in
// QUILLAR_WATCH_LIST (for an item view: a paint with rows in it), then presses
// the buttons named in QUILLAR_WATCH_SWITCHES one after another, each timed
// from the press to the next such paint, and quits. It reports on stderr:
//   watch visible <steady clock, ns>
//   watch switch <button> <ms> <rows>
//   watch peak-kb <VmHWM>          (after the start, and after the last switch)
class RowsVisibleWatch : public QObject
{
    Q_OBJECT
public:
    RowsVisibleWatch();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isWatchedPaint(QObject *watched) const;
    void rowsVisible();
    void pressNext();

    QString m_list;
    QStringList m_switches;
    bool m_waiting = true;
    bool m_painted = false;
    std::chrono::steady_clock::time_point m_pressed;
};
