#pragma once

// Support for the end-to-end tests: each test binary starts its own Xvfb
// before its QGuiApplication exists, so it never drives or photographs a
// developer's real desktop, and runs the same under ./test and plain ctest.
// The built program runs as a separate process on that display; xdotool
// drives it and the test grabs the screen with Qt.

#include <QMap>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

namespace e2e {

// Starts Xvfb on a free display and points DISPLAY at it; false when that is
// impossible. Each test's initTestCase() then uses QUILLAR_E2E_REQUIRE_DISPLAY().
bool startVirtualDisplay();
void stopVirtualDisplay();
// Why the display could not be had; empty when it runs.
QString displayProblem();
// True when Xvfb is not installed: the one case the tests skip.
bool xvfbMissing();

// Program layouts are given in twips; the display runs at 96 DPI.
constexpr int twipsToPx(int twips) { return (twips + 7) / 15; }

// Runs xdotool on the test display and returns its standard output less the
// final line end; ok tells whether it exited with 0.
QString xdotool(const QStringList &args, bool *ok = nullptr);

// Window ids whose name matches the pattern, optionally only the viewable ones.
QStringList findWindows(const QString &namePattern, bool onlyVisible = false);

// Position (client origin, the display has no window manager) and size.
QRect windowGeometry(const QString &windowId);

// Sends WM_DELETE_WINDOW to a window, as a title bar's close button would.
bool requestClose(const QString &windowId);

// Saves a grab of the whole screen as <screenshot folder>/<name>.png and
// returns the file path, or an empty text on failure.
QString saveScreenshot(const QString &name);
QImage grabScreen();

// A demo install root under a path with a blank and Chinese characters, and
// a private settings folder pointing the program at it.
class InstallRoot
{
public:
    // Builds the demo catalogue; an empty text on success, else the reason.
    QString create();
    QString root() const { return m_root; }
    QString configHome() const { return m_configHome; }
    QString cataloguePath() const { return m_root + QStringLiteral("/dbase/system.mdb"); }
    // Keeps the files for a look after a failed test.
    void keep();

private:
    QTemporaryDir m_dir;
    QString m_root;
    QString m_configHome;
};

// The built program on the test display. Killed on destruction whatever happened.
class ProgramRun
{
public:
    ~ProgramRun();
    bool start(const InstallRoot &root);
    bool running() const;
    qint64 pid() const { return m_process.processId(); }
    QString output();
    // Closes the window the way a window manager does (WM_DELETE_WINDOW),
    // then makes sure the process ends. False when it had to be killed.
    bool close(const QString &windowId);
    // Waits for the main window to exist; empty id on timeout or early exit.
    QString waitForMainWindow(int timeoutMs = 15000);

private:
    QProcess m_process;
    QString m_output;
};

// The catalogue, opened read-only. Every row of a table as one line of
// "column=value" pairs; rows sorted, so two dumps compare as multisets.
QStringList tableDump(const QString &cataloguePath, const QString &table, QString *error);
// picMain rows by figure number (th), each as column -> value text.
QMap<QString, QMap<QString, QString>> figures(const QString &cataloguePath, QString *error);

extern const QString kMainCaption;

} // namespace e2e

// For initTestCase(): skips when Xvfb is not installed, fails on any other
// display trouble or a missing tool.
#define QUILLAR_E2E_REQUIRE_DISPLAY()                                                \
    do {                                                                             \
        if (e2e::xvfbMissing())                                                      \
            QSKIP("Xvfb is not installed (Debian package xvfb); end-to-end tests need it"); \
        QVERIFY2(e2e::displayProblem().isEmpty(), qPrintable(e2e::displayProblem())); \
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), \
                 "xdotool is not installed (Debian package xdotool)");               \
    } while (false)

// main() for an end-to-end test class: the display comes first, then Qt.
#define QUILLAR_E2E_MAIN(TestClass)                                                  \
    int main(int argc, char **argv)                                                  \
    {                                                                                \
        if (!e2e::startVirtualDisplay())                                             \
            qputenv("QT_QPA_PLATFORM", "offscreen"); /* initTestCase reports it */   \
        int status;                                                                  \
        {                                                                            \
            QGuiApplication app(argc, argv);                                         \
            TestClass test;                                                          \
            QTEST_SET_MAIN_SOURCE_PATH                                               \
            status = QTest::qExec(&test, argc, argv);                                \
        }                                                                            \
        e2e::stopVirtualDisplay();                                                   \
        return status;                                                               \
    }
