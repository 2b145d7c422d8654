#include "tests/e2e/E2eKit.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTest>

#include <xcb/xcb.h>

QString xdo(const QStringList &args, bool *ok)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8"); // lets it handle Chinese names
    tool.setProcessEnvironment(env);
    tool.start("xdotool", args);
    const bool done = tool.waitForFinished(20000);
    if (ok)
        *ok = done && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    QString out = QString::fromUtf8(tool.readAllStandardOutput());
    if (out.endsWith('\n'))
        out.chop(1);
    return out;
}

bool key(const QString &keys)
{
    bool ok = false;
    xdo({"key", "--clearmodifiers", keys}, &ok);
    QTest::qWait(200);
    return ok;
}

bool typeText(const QString &text)
{
    bool ok = false;
    xdo({"type", "--delay", "30", text}, &ok);
    QTest::qWait(300);
    return ok;
}

namespace {

xcb_atom_t atom(xcb_connection_t *x, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, strlen(name), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return found;
}

} // namespace

bool closeWindow(const QString &window)
{
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        xcb_disconnect(x);
        return false;
    }
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window.toUInt();
    message.type = atom(x, "WM_PROTOCOLS");
    message.data.data32[0] = atom(x, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    const xcb_void_cookie_t sent = xcb_send_event_checked(x, 0, message.window, XCB_EVENT_MASK_NO_EVENT,
                                                          reinterpret_cast<const char *>(&message));
    xcb_generic_error_t *error = xcb_request_check(x, sent);
    const bool delivered = !error;
    free(error);
    xcb_disconnect(x);
    QTest::qWait(300);
    return delivered;
}

bool screenshot(const QString &name)
{
    QDir().mkpath(QUILLAR_E2E_SCREENSHOT_DIR);
    const QString path = QString(QUILLAR_E2E_SCREENSHOT_DIR) + '/' + name + ".png";
    const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(path, "PNG");
    qInfo("%s: %s", saved ? "screenshot" : "could not save screenshot", qPrintable(path));
    return saved;
}

CatalogueDump dumpCatalogue(const QString &path)
{
    CatalogueDump tables;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "e2e");
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000");
        if (!db.open())
            tables["error"] << db.lastError().text();
        for (const QString &table : db.tables()) {
            QSqlQuery q("SELECT * FROM \"" + table + '"', db);
            QStringList &rows = tables[table];
            if (!q.isActive())
                rows << "error: " + q.lastError().text();
            while (q.next()) {
                QString row = "|";
                for (int i = 0; i < q.record().count(); ++i) {
                    const QVariant v = q.value(i);
                    row += q.record().fieldName(i) + '='
                        + (v.isNull() ? QString("NULL")
                           : v.typeId() == QMetaType::Double    ? QString::number(v.toDouble(), 'g', 17)
                           : v.typeId() == QMetaType::QByteArray ? QString(v.toByteArray().toHex())
                                                                 : v.toString())
                        + '|';
                }
                rows << row;
            }
            rows.sort();
        }
    }
    QSqlDatabase::removeDatabase("e2e");
    return tables;
}

void endRun(std::unique_ptr<ProgramRun> &run)
{
    if (run && QTest::currentTestFailed()) {
        screenshot(QTest::currentTestFunction() + QString("-failed"));
        run->keepFiles();
        qInfo("kept the test's install root: %s", qPrintable(run->folder()));
    }
    run.reset();
}

bool ProgramRun::start(QString *error)
{
    if (QStandardPaths::findExecutable("xdotool").isEmpty() || !m_dir.isValid()) {
        *error = m_dir.isValid() ? "xdotool is not installed (Debian package xdotool)" : m_dir.errorString();
        return false;
    }
    const QString root = m_dir.path() + "/安装 目录", configHome = m_dir.path() + "/配置 文件";
    QProcess demo;
    demo.setProcessChannelMode(QProcess::MergedChannels);
    demo.start(QUILLAR_DEMO_TOOL, {"demo", root});
    if (!demo.waitForFinished(60000) || demo.exitStatus() != QProcess::NormalExit || demo.exitCode() != 0) {
        *error = "quillar-demo failed: " + QString::fromUtf8(demo.readAll());
        return false;
    }
    m_before = dumpCatalogue(catalogue());

    // Written by QSettings itself, so the value is escaped the way the program reads it.
    QSettings settings(configHome + "/Kestomar software.conf", QSettings::IniFormat);
    settings.setValue("Strativa/Path", root);
    settings.sync();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", configHome);
    m_program.setProcessEnvironment(env);
    m_program.setProcessChannelMode(QProcess::MergedChannels);
    m_program.start(QUILLAR_PROGRAM, {});
    if (!m_program.waitForStarted(10000)) {
        *error = "the program did not start";
        return false;
    }
    m_main = findWindow("图版管理");
    if (m_main.isEmpty()) {
        *error = "no mapped window named 图版管理; program output:\n" + QString::fromUtf8(m_program.readAll());
        return false;
    }
    return true;
}

ProgramRun::~ProgramRun()
{
    if (m_program.state() != QProcess::NotRunning) {
        m_program.kill();
        m_program.waitForFinished(5000);
    }
}

bool ProgramRun::endsNormally()
{
    m_program.waitForFinished(5000); // false when it ended already
    return m_program.state() == QProcess::NotRunning && m_program.exitStatus() == QProcess::NormalExit
           && m_program.exitCode() == 0;
}

QStringList ProgramRun::changes() const
{
    const CatalogueDump after = dumpCatalogue(catalogue());
    QStringList tables = m_before.keys() + after.keys(), changed;
    tables.removeDuplicates();
    for (const QString &table : tables) {
        QStringList removed = m_before.value(table), added = after.value(table);
        for (const QString &row : m_before.value(table)) {
            if (added.removeOne(row))
                removed.removeOne(row);
        }
        for (const QString &row : removed)
            changed << '-' + table + row;
        for (const QString &row : added)
            changed << '+' + table + row;
    }
    changed.sort();
    return changed;
}

QString ProgramRun::findWindow(const QString &name)
{
    const QString pid = QString::number(m_program.processId());
    for (int tries = 0; tries < 75; ++tries) {
        const QStringList found =
            xdo({"search", "--all", "--onlyvisible", "--pid", pid, "--name", name}).split('\n', Qt::SkipEmptyParts);
        if (found.size() == 1)
            return found[0];
        QTest::qWait(200);
    }
    return QString();
}

QStringList ProgramRun::windows()
{
    return xdo({"search", "--onlyvisible", "--pid", QString::number(m_program.processId())})
        .split('\n', Qt::SkipEmptyParts);
}

QRect ProgramRun::clientArea(const QString &window)
{
    QMap<QString, int> g;
    for (const QString &line : xdo({"getwindowgeometry", "--shell", window}).split('\n'))
        g.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
    return QRect(g["X"], g["Y"], g["WIDTH"], g["HEIGHT"]);
}

bool ProgramRun::clickAt(const QString &window, int x, int y, int button, int repeat)
{
    bool ok = false;
    const QPoint p = clientArea(window).topLeft() + QPoint(x, y);
    xdo({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y()), "click", "--repeat",
         QString::number(repeat), "--delay", "80", QString::number(button)},
        &ok);
    QTest::qWait(300);
    return ok;
}

bool ProgramRun::click(const QString &window, int left, int top, int width, int height)
{
    return clickAt(window, px(left + width / 2), px(top + height / 2));
}
