// The built program starts on a demo install root and shows its main window
// as a user would see it on a real X server.

#include "tests/e2e/E2eHarness.h"

#include <QImage>
#include <QSet>

using namespace e2e;

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QUILLAR_E2E_REQUIRE_DISPLAY(); }

    void cleanup()
    {
        if (QTest::currentTestFailed()) {
            saveScreenshot(QStringLiteral("startup-failed"));
            m_root.keep();
        }
    }

    void mainWindowAppears()
    {
        const QString rootError = m_root.create();
        QVERIFY2(rootError.isEmpty(), qPrintable(rootError));
        ProgramRun program;
        QVERIFY2(program.start(m_root), "the program did not start");

        const QString window = program.waitForMainWindow();
        QVERIFY2(!window.isEmpty(), qPrintable(QStringLiteral("no window named 图版管理 within 15 s; program output:\n")
                                               + program.output()));

        // Exact caption, leading blank included.
        QCOMPARE(xdotool({QStringLiteral("getwindowname"), window}), kMainCaption);

        QTRY_VERIFY2_WITH_TIMEOUT(findWindows(QStringLiteral("图版管理"), true).contains(window),
                                  "the main window exists but is not mapped", 5000);

        // Fixed client area of 15408 x 10164 twips, centred on the 1280 x 1024 screen.
        const QRect geometry = windowGeometry(window);
        QCOMPARE(geometry.size(), QSize(twipsToPx(15408), twipsToPx(10164)));
        QVERIFY2(qAbs(geometry.center().x() - 640) <= 2 && qAbs(geometry.center().y() - 512) <= 2,
                 qPrintable(QStringLiteral("window not centred: %1,%2 %3x%4")
                                .arg(geometry.x()).arg(geometry.y()).arg(geometry.width()).arg(geometry.height())));

        // A window that is mapped but never painted shows one flat colour.
        auto paintedColours = [&] {
            const QImage shot = grabScreen().copy(geometry);
            QSet<QRgb> colours;
            for (int y = 0; y < shot.height() && colours.size() < 3; y += 7)
                for (int x = 0; x < shot.width() && colours.size() < 3; x += 7)
                    colours.insert(shot.pixel(x, y));
            return colours.size();
        };
        QTRY_VERIFY2_WITH_TIMEOUT(paintedColours() >= 3, "the main window shows nothing", 5000);
        QVERIFY(!saveScreenshot(QStringLiteral("startup-main-window")).isEmpty());

        QVERIFY2(program.running(), qPrintable(program.output()));
        QVERIFY2(program.close(window), "closing the main window did not end the program; it was killed");
    }

private:
    InstallRoot m_root;
};

QUILLAR_E2E_MAIN(StartupTest)
#include "tst_startup.moc"
