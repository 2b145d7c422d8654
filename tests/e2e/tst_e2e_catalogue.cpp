// The built program as a user sees it, on the X server ctest starts with
// xvfb-run (see CMakeLists.txt), driven with xdotool. Each test function runs
// the program on its own demo install root:
//  startup   the main window appears as it should, and 退 出 ends the program;
//  editSave  renaming one figure and saving changes that figure's name in the
//            catalogue file and nothing else.

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Program layouts are given in twips; the display runs at 96 DPI.
constexpr int px(int twips) { return (twips + 7) / 15; }

// Runs xdotool and returns its output less the final line end (the main
// caption starts with a blank). A UTF-8 locale lets it handle Chinese names.
QString xdo(const QStringList &args, bool *ok = nullptr)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    tool.setProcessEnvironment(env);
    tool.start("xdotool", args);
    const bool done = tool.waitForFinished(15000);
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

// Saves the whole screen as <screenshot folder>/<name>.png and prints the path.
bool screenshot(const QString &name)
{
    QDir().mkpath(QUILLAR_E2E_SCREENSHOT_DIR);
    const QString path = QString(QUILLAR_E2E_SCREENSHOT_DIR) + '/' + name + ".png";
    const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(path, "PNG");
    qInfo("%s: %s", saved ? "screenshot" : "could not save screenshot", qPrintable(path));
    return saved;
}

// Every table of the catalogue, opened read-only: its rows sorted, each row as
// "|column=value|column=value|", so whole tables compare at once.
QMap<QString, QStringList> dumpCatalogue(const QString &path)
{
    QMap<QString, QStringList> tables;
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

} // namespace

class E2eTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_program; // killed on reset if still running
    QString m_window;                    // the main window's X id
    QRect m_client;                      // its client area on the screen
    QMap<QString, QStringList> m_before; // the catalogue before the program ran

    QString catalogue() const { return m_dir->path() + "/安装 目录/dbase/system.mdb"; }

    // Clicks x, y pixels into the main window and lets the program react.
    bool clickAt(int x, int y)
    {
        bool ok = false;
        const QPoint p = m_client.topLeft() + QPoint(x, y);
        xdo({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y()), "click", "1"}, &ok);
        QTest::qWait(300);
        return ok;
    }
    // Clicks the centre of a control laid out in twips.
    bool click(int left, int top, int width, int height) { return clickAt(px(left + width / 2), px(top + height / 2)); }

    // 退 出 (cmdCancel) must end the program normally.
    bool quit()
    {
        if (click(12744, 9360, 975, 375))
            m_program->waitForFinished(5000); // false when it ended already
        return m_program->state() == QProcess::NotRunning && m_program->exitStatus() == QProcess::NormalExit;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool is not installed (Debian package xdotool)");
    }

    // A demo install root and a private settings folder, both under a path with
    // a blank and Chinese characters as users' have, then the program on them.
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY2(m_dir->isValid(), qPrintable(m_dir->errorString()));
        const QString root = m_dir->path() + "/安装 目录", configHome = m_dir->path() + "/配置 文件";
        QProcess demo;
        demo.setProcessChannelMode(QProcess::MergedChannels);
        demo.start(QUILLAR_DEMO_TOOL, {"demo", root});
        QVERIFY2(demo.waitForFinished(60000) && demo.exitStatus() == QProcess::NormalExit && demo.exitCode() == 0,
                 qPrintable("quillar-demo failed: " + QString::fromUtf8(demo.readAll())));
        m_before = dumpCatalogue(catalogue());
        QVERIFY2(m_before.value("picMain").size() >= 2, "the demo catalogue needs at least two figures");

        // Written by QSettings itself, so the value is escaped the way the program reads it.
        QSettings settings(configHome + "/Kestomar software.conf", QSettings::IniFormat);
        settings.setValue("Strativa/Path", root);
        settings.sync();
        QCOMPARE(settings.status(), QSettings::NoError);

        m_program = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", configHome);
        m_program->setProcessEnvironment(env);
        m_program->setProcessChannelMode(QProcess::MergedChannels);
        m_program->start(QUILLAR_PROGRAM, {});
        QVERIFY2(m_program->waitForStarted(10000), "the program did not start");

        // Waits up to 15 s for the main window to be there and mapped.
        m_window = xdo({"search", "--sync", "--onlyvisible", "--name", "图版管理"}).section('\n', 0, 0);
        QVERIFY2(!m_window.isEmpty(), qPrintable("no mapped window named 图版管理; program output:\n"
                                                 + QString::fromUtf8(m_program->readAll())));
        QMap<QString, int> g; // no window manager: X, Y are the client area's
        for (const QString &line : xdo({"getwindowgeometry", "--shell", m_window}).split('\n'))
            g.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
        m_client = QRect(g["X"], g["Y"], g["WIDTH"], g["HEIGHT"]);
    }

    void cleanup()
    {
        if (QTest::currentTestFailed()) {
            screenshot(QTest::currentTestFunction() + QString("-failed"));
            m_dir->setAutoRemove(false);
            qInfo("kept the test's install root: %s", qPrintable(m_dir->path()));
        }
        m_program.reset();
    }

    void startup()
    {
        QCOMPARE(xdo({"getwindowname", m_window}), QString(" Strativa - Orrisplot - 图版管理"));
        // A fixed client area of 15408 x 10164 twips, centred on the 1280 x 1024 screen.
        QCOMPARE(m_client.size(), QSize(1027, 678));
        QVERIFY2((m_client.center() - QPoint(640, 512)).manhattanLength() <= 4, "the main window is not centred");
        QVERIFY(screenshot("startup-main-window"));
        QVERIFY2(quit(), "退 出 did not end the program");
    }

    void editSave()
    {
        xdo({"windowfocus", "--sync", m_window});
        // LvFigure at 200, 500 twips: just under the column headers lies the
        // first row; Down then selects the second one.
        QVERIFY(clickAt(px(200) + 100, px(500) + 35));
        QVERIFY(key("Down"));
        screenshot("edit-save-1-second-row");

        // tPicName: read what it shows through the clipboard, then replace it.
        QVERIFY(click(9000, 5160, 6135, 320));
        QVERIFY(key("ctrl+a"));
        QGuiApplication::clipboard()->clear();
        QVERIFY(key("ctrl+c"));
        QString shownName;
        QTRY_VERIFY_WITH_TIMEOUT(!(shownName = QGuiApplication::clipboard()->text()).isEmpty(), 5000);
        const QString newName = "E2E renamed figure";
        QVERIFY(key("ctrl+a"));
        bool typed = false;
        xdo({"type", "--delay", "30", newName}, &typed);
        QVERIFY(typed);
        QTest::qWait(300);

        QVERIFY(click(11328, 9360, 1095, 375)); // 刷新列表
        screenshot("edit-save-2-list-updated");
        QVERIFY(click(14040, 9360, 975, 375)); // 保 存
        // The save is done when the file shows the new name.
        const QString oldField = "|tm=" + shownName + '|', newField = "|tm=" + newName + '|';
        QTRY_VERIFY2_WITH_TIMEOUT(!dumpCatalogue(catalogue()).value("picMain").filter(newField).isEmpty(),
                                  "the new name never reached the catalogue", 10000);
        // A successful save shows no message: the main window stays the only one.
        QTest::qWait(500);
        screenshot("edit-save-3-saved");
        QCOMPARE(xdo({"search", "--onlyvisible", "--pid", QString::number(m_program->processId())}), m_window);
        QVERIFY2(quit(), "退 出 did not end the program");

        // The figure that was on screen got the new name; all else is as it was.
        QMap<QString, QStringList> expected = m_before;
        QStringList &figures = expected["picMain"];
        const QStringList shown = figures.filter(oldField);
        QCOMPARE(shown.size(), 1);
        figures[figures.indexOf(shown[0])].replace(oldField, newField);
        figures.sort();
        const QMap<QString, QStringList> after = dumpCatalogue(catalogue());
        QCOMPARE(after.keys(), expected.keys());
        for (const QString &table : expected.keys())
            QCOMPARE(after[table], expected[table]);
    }
};

QTEST_MAIN(E2eTest)
#include "tst_e2e.moc"
