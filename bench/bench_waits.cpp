// What the user waits for, each run a fresh process of the real program on a
// real X server, timed by the rows-visible watch (bench/watch): from the start
// to the first paint of the figure list with its rows, at 1,000, 10,000 and
// 100,000 figures, beside the program started on a 1-figure catalogue and a
// bare Qt window; the type switch (to the triangular list and back) to its
// rows painted; the peak resident memory (VmHWM) after the start and after
// the two switches, each switch beside the floor of its list (its keys and
// the rows on screen).
// The runs of all catalogues take turns, so that the load of a shared machine
// falls on all alike.
// Medians of five runs.
//   xvfb-run -a -s "-screen 0 1920x1200x24" build/bin/bench_waits [figures ...]
#include "bench/BenchCatalogue.h"
#include "bench/BenchTiming.h"
#include "bench/SqliteFloor.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

constexpr int kRuns = 5;

// Everything one run reported; a missing figure is negative.
struct Waited
{
    double visibleMs = -1;
    std::vector<double> switchMs;
    std::vector<double> peakMb;
};

Waited runWatched(const QString &program, const QString &configDir, const QString &list, const QString &switches)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), QCoreApplication::applicationDirPath() + QStringLiteral("/bench-plugins"));
    env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("rowsvisible"));
    env.insert(QStringLiteral("QUILLAR_WATCH_LIST"), list);
    env.insert(QStringLiteral("QUILLAR_WATCH_SWITCHES"), switches);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir);
    QProcess process;
    process.setProcessEnvironment(env);
    const auto started = std::chrono::steady_clock::now();
    process.start(program, {});
    if (!process.waitForFinished(300000))
        process.kill();
    Waited waited;
    for (const QByteArray &line : process.readAllStandardError().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.value(0) != "watch" || words.size() < 3)
            continue;
        if (words[1] == "visible")
            waited.visibleMs = (words[2].toLongLong() - std::chrono::nanoseconds(started.time_since_epoch()).count()) / 1e6;
        else if (words[1] == "switch" && words.size() >= 4)
            waited.switchMs.push_back(words[3].toDouble());
        else if (words[1] == "peak-kb")
            waited.peakMb.push_back(words[2].toDouble() / 1024.0);
        else
            std::fprintf(stderr, "%s\n", line.constData());
    }
    if (waited.visibleMs < 0)
        std::fprintf(stderr, "%s: no rows became visible (exit code %d)\n", qPrintable(program), process.exitCode());
    return waited;
}

// What one run starts: a program, the settings it reads, the list it shows
// and the buttons pressed once it is shown.
struct Subject
{
    QString program;
    QString configDir;
    QString list;
    QString switches;
};

// Medians of several runs, figure by figure.
struct Medians
{
    double visibleMs;
    std::vector<double> switchMs;
    std::vector<double> peakMb;
};

Medians mediansOf(const std::vector<Waited> &runs)
{
    auto medianAt = [&](const std::function<double(const Waited &)> &figure) {
        size_t next = 0;
        return medianOf(int(runs.size()), [&] { return figure(runs[next++]); });
    };
    Medians m;
    m.visibleMs = medianAt([](const Waited &w) { return w.visibleMs; });
    for (size_t i = 0; i < runs.front().switchMs.size(); ++i)
        m.switchMs.push_back(medianAt([i](const Waited &w) { return w.switchMs.size() > i ? w.switchMs[i] : -1; }));
    for (size_t i = 0; i < runs.front().peakMb.size(); ++i)
        m.peakMb.push_back(medianAt([i](const Waited &w) { return w.peakMb.size() > i ? w.peakMb[i] : -1; }));
    return m;
}

// Round after round, one run of every subject each: a burst of load on the
// shared machine then falls on all of them alike, not on one subject's runs.
std::vector<Medians> interleavedMedians(const std::vector<Subject> &subjects)
{
    std::vector<std::vector<Waited>> runs(subjects.size());
    for (int round = 0; round < kRuns; ++round) {
        for (size_t i = 0; i < subjects.size(); ++i) {
            const Subject &s = subjects[i];
            runs[i].push_back(runWatched(s.program, s.configDir, s.list, s.switches));
        }
    }
    std::vector<Medians> medians;
    for (const std::vector<Waited> &r : runs)
        medians.push_back(mediansOf(r));
    return medians;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "bench_waits needs an X server: run it under xvfb-run\n");
        return 2;
    }
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 10000, 100000};

    const QString program = QStringLiteral(QUILLAR_PROGRAM);
    const QString list = QStringLiteral("LvFigure");
    QTemporaryDir dir;
    // The bare window, then the program on 1 figure (its one figure is Cartesian), then each size.
    std::vector<Subject> subjects = {
        {QCoreApplication::applicationDirPath() + QStringLiteral("/bench_bare_window"),
         dir.path() + QStringLiteral("/config-bare"), QStringLiteral("bareWindow"), {}}};
    std::vector<int> figureCounts = {1};
    figureCounts.insert(figureCounts.end(), sizes.begin(), sizes.end());
    for (int figures : figureCounts) {
        const QString root = dir.path() + QStringLiteral("/root-%1").arg(figures);
        if (const QString error = buildRoot(root, figures); !error.isEmpty()) {
            std::fprintf(stderr, "cannot build catalogue: %s\n", qPrintable(error));
            return 1;
        }
        const QString configDir = dir.path() + QStringLiteral("/config-%1").arg(figures);
        pointSettingsAt(configDir, root);
        subjects.push_back({program, configDir, list, figures == 1 ? QString() : QStringLiteral("Opt2,Opt1")});
    }
    const std::vector<Medians> medians = interleavedMedians(subjects);

    const double bare = medians[0].visibleMs;
    const Medians &one = medians[1];
    report(QStringLiteral("bare Qt window, start to painted"), bare, -1);
    report(QStringLiteral("1 figure, start to rows visible"), one.visibleMs, bare);
    for (size_t k = 0; k < sizes.size(); ++k) {
        const int figures = sizes[k];
        const Medians &m = medians[k + 2];
        const QString catalogue = dir.path() + QStringLiteral("/root-%1/dbase/system.mdb").arg(figures);
        report(QStringLiteral("%1 figures, start to rows visible").arg(figures), m.visibleMs, one.visibleMs);
        // Each switch beside the floor of the list it shows: its keys and its rows on screen.
        const char *switches[] = {"to triangular", "back to Cartesian"};
        const char *letters[] = {"T", "B"};
        for (size_t i = 0; i < m.switchMs.size() && i < 2; ++i) {
            const QString letter = QLatin1String(letters[i]);
            report(QStringLiteral("%1 figures, switch %2").arg(figures).arg(QLatin1String(switches[i])), m.switchMs[i],
                   medianOf(kRuns, [&] { return figureListFloor(catalogue, letter); }));
        }
        if (m.peakMb.size() == 2)
            std::printf("%-46s %9.1f MB  after two switches %6.1f MB  (1 figure: %.1f MB)\n",
                        qPrintable(QStringLiteral("%1 figures, peak memory after start").arg(figures)), m.peakMb[0],
                        m.peakMb[1], one.peakMb.empty() ? -1.0 : one.peakMb[0]);
    }
    return 0;
}
