// A user renames one figure in the catalogue window and saves: the catalogue
// file on disk changes in that figure's name and nowhere else.

#include "tests/e2e/E2eHarness.h"

#include <QClipboard>

using namespace e2e;

namespace {

// Centre of a control laid out in twips, in screen pixels.
QPoint centreOf(const QRect &window, int left, int top, int width, int height)
{
    return window.topLeft() + QPoint(twipsToPx(left + width / 2), twipsToPx(top + height / 2));
}

bool clickAt(const QPoint &p)
{
    bool ok = false;
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(p.x()), QString::number(p.y()),
             QStringLiteral("click"), QStringLiteral("1")},
            &ok);
    QTest::qWait(300); // let the program handle the click before the next input
    return ok;
}

bool key(const QString &keys)
{
    bool ok = false;
    xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys}, &ok);
    QTest::qWait(200);
    return ok;
}

} // namespace

class EditSaveTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QUILLAR_E2E_REQUIRE_DISPLAY(); }

    void cleanup()
    {
        if (QTest::currentTestFailed()) {
            saveScreenshot(QStringLiteral("edit-save-failed"));
            m_root.keep();
        }
    }

    void renamedFigureIsSaved()
    {
        const QString rootError = m_root.create();
        QVERIFY2(rootError.isEmpty(), qPrintable(rootError));
        const QString catalogue = m_root.cataloguePath();
        QString error;
        const auto figuresBefore = figures(catalogue, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(figuresBefore.size() >= 2, "the demo catalogue needs at least two figures");
        const QStringList pointsBefore = tableDump(catalogue, QStringLiteral("pData"), &error);
        const QStringList labelsBefore = tableDump(catalogue, QStringLiteral("picLable"), &error);
        const QStringList groupsBefore = tableDump(catalogue, QStringLiteral("picType"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));

        ProgramRun program;
        QVERIFY2(program.start(m_root), "the program did not start");
        const QString window = program.waitForMainWindow();
        QVERIFY2(!window.isEmpty(), qPrintable(QStringLiteral("no main window; program output:\n") + program.output()));
        QTRY_VERIFY_WITH_TIMEOUT(findWindows(QStringLiteral("图版管理"), true).contains(window), 5000);
        const QRect client = windowGeometry(window);
        QVERIFY(client.isValid());
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});

        // LvFigure at 200, 500 (twips): a click just under the column headers
        // lands in the first row; Down then moves to the second one.
        const QPoint firstRow = client.topLeft() + QPoint(twipsToPx(200) + 100, twipsToPx(500) + 35);
        QVERIFY(clickAt(firstRow));
        QVERIFY(key(QStringLiteral("Down")));
        saveScreenshot(QStringLiteral("edit-save-1-second-row"));

        // tPicName: read what it shows through the clipboard, then replace it.
        const QPoint nameField = centreOf(client, 9000, 5160, 6135, 320);
        QVERIFY(clickAt(nameField));
        QVERIFY(key(QStringLiteral("ctrl+a")));
        QGuiApplication::clipboard()->clear();
        QVERIFY(key(QStringLiteral("ctrl+c")));
        QString shownName;
        QTRY_VERIFY_WITH_TIMEOUT(!(shownName = QGuiApplication::clipboard()->text()).isEmpty(), 5000);

        const QString newName = QStringLiteral("E2E renamed figure");
        QVERIFY(key(QStringLiteral("ctrl+a")));
        bool typed = false;
        xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), newName}, &typed);
        QVERIFY(typed);
        QTest::qWait(300);

        QVERIFY(clickAt(centreOf(client, 11328, 9360, 1095, 375))); // 刷新列表
        saveScreenshot(QStringLiteral("edit-save-2-list-updated"));
        QVERIFY(clickAt(centreOf(client, 14040, 9360, 975, 375)));  // 保 存

        // The save is done when the file shows the new name.
        auto savedNames = [&] {
            QString e;
            QStringList names;
            for (const auto &row : figures(catalogue, &e))
                names << row.value(QStringLiteral("tm"));
            return names;
        };
        QTRY_VERIFY2_WITH_TIMEOUT(savedNames().contains(newName),
                                  qPrintable(QStringLiteral("the new name never reached the catalogue; program output:\n")
                                             + program.output()),
                                  10000);
        // A successful save shows no message: the main window stays the only one.
        QTest::qWait(500);
        saveScreenshot(QStringLiteral("edit-save-3-saved"));
        const QString shown = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                       QString::number(program.pid())});
        QCOMPARE(shown.split(QLatin1Char('\n'), Qt::SkipEmptyParts), QStringList{window});

        // 退 出 ends the program.
        QVERIFY(clickAt(centreOf(client, 12744, 9360, 975, 375)));
        QTRY_VERIFY2_WITH_TIMEOUT(!program.running(), "退 出 did not end the program", 5000);
        program.close(window);

        // Exactly one figure changed, only in its name, and it is the one that was on screen.
        const auto figuresAfter = figures(catalogue, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(figuresAfter.keys(), figuresBefore.keys());
        QStringList changes; // "th.column: before -> after"
        QString changedFigure, changedColumn;
        for (auto it = figuresBefore.cbegin(); it != figuresBefore.cend(); ++it) {
            const auto &after = figuresAfter.value(it.key());
            for (auto field = it->cbegin(); field != it->cend(); ++field) {
                if (after.value(field.key()) == field.value())
                    continue;
                changedFigure = it.key();
                changedColumn = field.key();
                changes << QStringLiteral("%1.%2: %3 -> %4").arg(it.key(), field.key(), field.value(),
                                                                 after.value(field.key()));
            }
        }
        QVERIFY2(changes.size() == 1, qPrintable(QStringLiteral("changed fields:\n") + changes.join(QLatin1Char('\n'))));
        QCOMPARE(changedColumn, QStringLiteral("tm"));
        QCOMPARE(figuresBefore.value(changedFigure).value(QStringLiteral("tm")), shownName);
        QCOMPARE(figuresAfter.value(changedFigure).value(QStringLiteral("tm")), newName);

        QCOMPARE(tableDump(catalogue, QStringLiteral("pData"), &error), pointsBefore);
        QCOMPARE(tableDump(catalogue, QStringLiteral("picLable"), &error), labelsBefore);
        QCOMPARE(tableDump(catalogue, QStringLiteral("picType"), &error), groupsBefore);
    }

private:
    InstallRoot m_root;
};

QUILLAR_E2E_MAIN(EditSaveTest)
#include "tst_edit_save.moc"
