#pragma once

#include <QMap>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// The built program on the X server that ctest starts with xvfb-run (see
// CMakeLists.txt), driven with xdotool: a real process, real windows, real
// mouse and key events.

// Program layouts are given in twips; the display runs at 96 DPI.
constexpr int px(int twips) { return (twips + 7) / 15; }

// Runs xdotool and returns its output less the final line end.
QString xdo(const QStringList &args, bool *ok = nullptr);
// Presses keys ("ctrl+a", "Tab", "Return") and lets the program react.
bool key(const QString &keys);
// Types text with real key events.
bool typeText(const QString &text);
// Asks a window to close as a window manager's close box does (there is
// none under Xvfb): a WM_DELETE_WINDOW message.
bool closeWindow(const QString &window);
// Saves the whole screen as <screenshot folder>/<name>.png and prints the path.
bool screenshot(const QString &name);

// Every table of a catalogue, opened read-only: its rows sorted, each row as
// "|column=value|column=value|", so whole tables compare at once.
using CatalogueDump = QMap<QString, QStringList>;
CatalogueDump dumpCatalogue(const QString &path);

class ProgramRun;
// Ends a test's run; after a failure first takes a screenshot and keeps the
// run's install root for a look.
void endRun(std::unique_ptr<ProgramRun> &run);

// One run of the program on a demo install root of its own and a private
// settings folder, both under a path with a blank and Chinese characters.
class ProgramRun
{
public:
    // Builds the demo root, starts the program and waits for the catalogue
    // window; `error` says what went wrong when it returns false.
    bool start(QString *error);
    ~ProgramRun();
    // Waits up to 5 s for the program to end; true when it ended with exit
    // code 0 (a sanitizer's report at exit would change it).
    bool endsNormally();

    QString catalogue() const { return m_dir.path() + "/安装 目录/dbase/system.mdb"; }
    QProcess &process() { return m_program; }
    void keepFiles() { m_dir.setAutoRemove(false); }
    QString folder() const { return m_dir.path(); }

    // The X id of the one mapped window of the program whose name contains
    // `name`, waiting up to 15 s for it; empty when there is none.
    QString findWindow(const QString &name);
    // Mapped windows of the program now.
    QStringList windows();
    // A window's client area on the screen (there is no window manager).
    QRect clientArea(const QString &window);

    // Clicks x, y pixels into a window's client area and lets the program react.
    bool clickAt(const QString &window, int x, int y, int button = 1, int repeat = 1);
    // Clicks the centre of a control laid out in twips.
    bool click(const QString &window, int left, int top, int width, int height);

    QString mainWindow() const { return m_main; }
    CatalogueDump before() const { return m_before; }
    // The rows the program has removed from and added to the catalogue since
    // it started, sorted: "-table|column=value|..." and "+table|...".
    QStringList changes() const;

private:
    QTemporaryDir m_dir;
    QProcess m_program;
    QString m_main;
    CatalogueDump m_before; // the catalogue before the program ran
};
