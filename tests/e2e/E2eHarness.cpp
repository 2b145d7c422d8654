#include "tests/e2e/E2eHarness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace e2e {

const QString kMainCaption = QStringLiteral(" Strativa - Orrisplot - 图版管理");

namespace {

pid_t xvfbPid = -1;
QString problem;
bool missingXvfb = false;

QString screenshotDir()
{
    return QString::fromUtf8(QUILLAR_E2E_SCREENSHOT_DIR);
}

// xdotool needs a UTF-8 locale to match and print Chinese window names.
QProcessEnvironment toolEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

} // namespace

bool startVirtualDisplay()
{
    const QByteArray xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb")).toLocal8Bit();
    if (xvfb.isEmpty()) {
        missingXvfb = true;
        problem = QStringLiteral("Xvfb is not installed");
        return false;
    }
    const QByteArray log = (screenshotDir() + QStringLiteral("/xvfb-%1.log")
                                                  .arg(QString::fromLocal8Bit(program_invocation_short_name)))
                               .toLocal8Bit();
    QDir().mkpath(screenshotDir());

    // -displayfd: Xvfb picks a free display itself and writes its number once it
    // accepts connections, so parallel tests never race for a number.
    int fds[2];
    if (pipe(fds) != 0) {
        problem = QStringLiteral("pipe() failed");
        return false;
    }
    const QByteArray fdText = QByteArray::number(fds[1]);
    const pid_t pid = fork();
    if (pid < 0) {
        problem = QStringLiteral("fork() failed");
        return false;
    }
    if (pid == 0) {
        // A crashed test must not leave its server behind.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        const int out = open(log.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
        }
        execl(xvfb.constData(), "Xvfb", "-displayfd", fdText.constData(), "-screen", "0", "1280x1024x24",
              "-dpi", "96", "-nolisten", "tcp", "-noreset", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    xvfbPid = pid;

    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.endsWith('\n') && clock.elapsed() < 20000) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 200) <= 0)
            continue;
        char buffer[16];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break; // Xvfb closed the pipe: it died
        number.append(buffer, n);
    }
    close(fds[0]);
    if (!number.endsWith('\n')) {
        problem = QStringLiteral("Xvfb did not start; see %1").arg(QString::fromLocal8Bit(log));
        stopVirtualDisplay();
        return false;
    }
    const QByteArray display = ':' + number.trimmed();
    qputenv("DISPLAY", display);
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", "xcb");
    // Pixel positions come from twips at 96 DPI; no scaling may interfere.
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_FONT_DPI");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qInfo("Xvfb on display %s; screenshots in %s", display.constData(), qPrintable(screenshotDir()));
    return true;
}

void stopVirtualDisplay()
{
    if (xvfbPid <= 0)
        return;
    kill(xvfbPid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 50; ++i) {
        if (waitpid(xvfbPid, &status, WNOHANG) == xvfbPid) {
            xvfbPid = -1;
            return;
        }
        usleep(100 * 1000);
    }
    kill(xvfbPid, SIGKILL);
    waitpid(xvfbPid, &status, 0);
    xvfbPid = -1;
}

QString displayProblem()
{
    return problem;
}

bool xvfbMissing()
{
    return missingXvfb;
}

QString xdotool(const QStringList &args, bool *ok)
{
    QProcess tool;
    tool.setProcessEnvironment(toolEnvironment());
    tool.start(QStringLiteral("xdotool"), args);
    const bool finished = tool.waitForFinished(10000);
    if (!finished)
        tool.kill();
    if (ok)
        *ok = finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    // Only the line end goes: the main caption starts with a blank.
    QString out = QString::fromUtf8(tool.readAllStandardOutput());
    while (out.endsWith(QLatin1Char('\n')))
        out.chop(1);
    return out;
}

QStringList findWindows(const QString &namePattern, bool onlyVisible)
{
    QStringList args{QStringLiteral("search")};
    if (onlyVisible)
        args << QStringLiteral("--onlyvisible");
    args << QStringLiteral("--name") << namePattern;
    return xdotool(args).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QRect windowGeometry(const QString &windowId)
{
    bool ok = false;
    const QString shell = xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), windowId}, &ok);
    if (!ok)
        return {};
    QMap<QString, int> values;
    for (const QString &line : shell.split(QLatin1Char('\n'))) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            values.insert(line.left(eq), line.mid(eq + 1).toInt());
    }
    return QRect(values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
                 values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT")));
}

QImage grabScreen()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->grabWindow(0).toImage() : QImage();
}

QString saveScreenshot(const QString &name)
{
    const QImage image = grabScreen();
    const QString path = screenshotDir() + QLatin1Char('/') + name + QStringLiteral(".png");
    if (image.isNull() || !image.save(path, "PNG")) {
        qWarning("could not save screenshot %s", qPrintable(path));
        return QString();
    }
    qInfo("screenshot: %s", qPrintable(path));
    return path;
}

QString InstallRoot::create()
{
    if (!m_dir.isValid())
        return QStringLiteral("no temporary folder: ") + m_dir.errorString();
    // Blanks and Chinese characters on purpose: users' install roots have them.
    m_root = m_dir.path() + QStringLiteral("/安装 目录");
    m_configHome = m_dir.path() + QStringLiteral("/配置 文件");

    QProcess demo;
    demo.setProcessChannelMode(QProcess::MergedChannels);
    demo.start(QString::fromUtf8(QUILLAR_DEMO_TOOL), {QStringLiteral("demo"), m_root});
    if (!demo.waitForFinished(60000) || demo.exitStatus() != QProcess::NormalExit || demo.exitCode() != 0)
        return QStringLiteral("quillar-demo failed: ") + QString::fromUtf8(demo.readAll());
    if (!QFile::exists(cataloguePath()))
        return QStringLiteral("quillar-demo made no catalogue at ") + cataloguePath();

    // Written by QSettings itself, so the value is escaped the way the program reads it.
    QDir().mkpath(m_configHome);
    QSettings settings(m_configHome + QStringLiteral("/Kestomar software.conf"), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Strativa/Path"), m_root);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return QStringLiteral("could not write the settings file");
    return QString();
}

void InstallRoot::keep()
{
    m_dir.setAutoRemove(false);
    qInfo("kept the test's install root: %s", qPrintable(m_dir.path()));
}

ProgramRun::~ProgramRun()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool ProgramRun::start(const InstallRoot &root)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.configHome());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QString::fromUtf8(QUILLAR_PROGRAM), {});
    return m_process.waitForStarted(10000);
}

bool ProgramRun::running() const
{
    return m_process.state() != QProcess::NotRunning;
}

QString ProgramRun::output()
{
    m_output += QString::fromUtf8(m_process.readAll());
    QString text = m_output;
    if (m_process.state() == QProcess::NotRunning)
        text += QStringLiteral("\n[program ended, exit code %1%2]")
                    .arg(m_process.exitCode())
                    .arg(m_process.exitStatus() == QProcess::CrashExit ? QStringLiteral(", crashed") : QString());
    return text;
}

QString ProgramRun::waitForMainWindow(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs && running()) {
        const QStringList ids = findWindows(QStringLiteral("图版管理"));
        if (!ids.isEmpty())
            return ids.first();
        QTest::qWait(100);
    }
    return QString();
}

bool requestClose(const QString &windowId)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    bool isNumber = false;
    const xcb_window_t window = windowId.toUInt(&isNumber);
    if (!connection || !isNumber)
        return false;
    auto atom = [&](const char *name) {
        xcb_intern_atom_reply_t *reply =
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, strlen(name), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return value;
    };
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    const xcb_void_cookie_t sent = xcb_send_event_checked(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                                                          reinterpret_cast<const char *>(&event));
    xcb_generic_error_t *error = xcb_request_check(connection, sent); // flushes and waits for the server
    const bool ok = error == nullptr;
    free(error);
    return ok;
}

bool ProgramRun::close(const QString &windowId)
{
    if (!running())
        return true;
    // What a window manager's close button does; xdotool's windowclose would
    // destroy the window behind Qt's back and leave the process running.
    if (!windowId.isEmpty() && requestClose(windowId) && m_process.waitForFinished(5000))
        return true;
    m_process.terminate();
    if (m_process.waitForFinished(5000))
        return true;
    m_process.kill();
    m_process.waitForFinished(5000);
    return false;
}

namespace {

QString valueText(const QVariant &value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 17);
    return value.toString();
}

// Runs fn on a read-only connection to the catalogue.
template<typename Fn>
bool withCatalogue(const QString &path, QString *error, Fn fn)
{
    const QString name = QStringLiteral("e2e-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            *error = db.lastError().text();
        } else {
            ok = fn(db);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

QStringList tableDump(const QString &cataloguePath, const QString &table, QString *error)
{
    QStringList lines;
    withCatalogue(cataloguePath, error, [&](QSqlDatabase &db) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT * FROM ") + table)) {
            *error = q.lastError().text();
            return false;
        }
        while (q.next()) {
            const QSqlRecord r = q.record();
            QStringList fields;
            for (int i = 0; i < r.count(); ++i)
                fields << r.fieldName(i) + QLatin1Char('=') + valueText(r.value(i));
            lines << fields.join(QLatin1Char('|'));
        }
        return true;
    });
    lines.sort();
    return lines;
}

QMap<QString, QMap<QString, QString>> figures(const QString &cataloguePath, QString *error)
{
    QMap<QString, QMap<QString, QString>> result;
    withCatalogue(cataloguePath, error, [&](QSqlDatabase &db) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT * FROM picMain"))) {
            *error = q.lastError().text();
            return false;
        }
        while (q.next()) {
            const QSqlRecord r = q.record();
            QMap<QString, QString> row;
            for (int i = 0; i < r.count(); ++i)
                row.insert(r.fieldName(i), valueText(r.value(i)));
            result.insert(row.value(QStringLiteral("th")), row);
        }
        return true;
    });
    return result;
}

} // namespace e2e
