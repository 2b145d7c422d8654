#pragma once

#include "platform/messages/MessageBox.h"

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// Timing and printing shared by the benchmarks.

inline double millisecondsOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// The median of `runs` samples: one slow run on a busy machine does not count.
inline double medianOf(int runs, const std::function<double()> &sample)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i)
        samples.push_back(sample());
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// One line: the program's time, and beside it the floor and the ratio when there is one.
inline void report(const QString &what, double program, double floor)
{
    if (floor > 0)
        std::printf("%-46s %9.1f ms  floor %8.1f ms  %5.2fx\n", qPrintable(what), program, floor, program / floor);
    else
        std::printf("%-46s %9.1f ms\n", qPrintable(what), program);
}

// Output as it comes, and a message box printed instead of waiting for a
// click nobody makes.
inline void prepareBenchmarkRun()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    MessageBox::setHook([](const MessageRequest &request) {
        std::fprintf(stderr, "message: %s\n%s\n", qPrintable(request.text), qPrintable(request.detail));
        return QMessageBox::Ok;
    });
}
