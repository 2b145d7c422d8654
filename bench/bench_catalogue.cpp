// The catalogue window beside the floor of the storage: the figure list loaded
// for 1,000, 10,000 and 100,000 figures (two thirds Cartesian) beside the same
// select read by storage class through SQLite's C API; showing a row; saving
// 1,000 changed and 1,000 new rows, and 1,000 new groups, each beside one C API
// transaction of the same statements, every save and floor the median of five
// runs on a fresh copy of the catalogue. The list is timed cold (the first load
// of a fresh process) and warm (repeated in one process). What the user waits
// for on a real X server is bench_waits.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_catalogue [figures ...]
// For a profiler: `bench_catalogue --build ROOT FIGURES` keeps a catalogue,
// and `bench_catalogue --cold list|floor ROOT` loads it once.
#include "bench/BenchCatalogue.h"
#include "bench/BenchTiming.h"
#include "bench/SqliteFloor.h"
#include "app/mQuillar.h"
#include "platform/listview/ListView.h"
#include "platform/listview/ListModel.h"
#include "ui/catalogue/fMain.h"
#include "ui/common/RowEditing.h"
#include "ui/groups/GroupListSave.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

// The first list load of a process beside the floor's first select, each in
// a process of its own: `bench_catalogue --cold list|floor ROOT` prints the
// milliseconds. The operating system's file cache is warm (the catalogue was
// just written); SQLite's, Qt's and malloc's are not.
double coldInChild(const char *what, const QString &root)
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--cold"), QLatin1String(what), root});
    process.waitForFinished(120000);
    bool ok = false;
    const double ms = QString::fromLatin1(process.readAllStandardOutput()).trimmed().toDouble(&ok);
    if (!ok || process.exitCode() != 0) {
        std::fprintf(stderr, "the cold %s run failed: %s\n", what, process.readAllStandardError().constData());
        return -1;
    }
    return ms;
}

int runColdChild(const QString &what, const QString &root)
{
    const QString catalogue = root + QStringLiteral("/dbase/system.mdb");
    double ms = -1;
    if (what == QLatin1String("floor")) {
        ms = figureListFloor(catalogue, QStringLiteral("B"));
    } else {
        pointSettingsAt(QFileInfo(root).path() + QStringLiteral("/config"), root);
        fMain window;
        window.show();
        QCoreApplication::processEvents(); // the window's first paint, fonts included, is not the list's
        ms = millisecondsOf([&] {
            window.LoadFigData(1);
            QCoreApplication::processEvents();
        });
    }
    std::printf("%.2f\n", ms);
    return ms < 0 ? 1 : 0;
}

// Edits 1,000 rows of the list through the panel and adds 1,000 new figures;
// returns the statements the save will send, for the floor.
std::vector<SqliteFloor::Statement> editAndAdd(fMain &window, ListView *list)
{
    using I = std::int64_t;
    std::vector<SqliteFloor::Statement> statements;
    const std::string select = "select * from picMain where th= ?";
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("tPicName"));
    const int edits = std::min(1000, list->count());
    for (int r = 0; r < edits; ++r) {
        list->selectOnly(r * list->count() / edits);
        window.LvFigure_Click();
        name->setText(QStringLiteral("改过的图名 %1").arg(r));
        window.cmdUpdate_Click();
        const std::string number = list->cell(list->selectedRow(), 1).toStdString();
        statements.push_back({select, {number}, true});
        // Typed by column: texts, the group, the bounds as reals, the flags as integers.
        statements.push_back({"UPDATE picMain SET tm=?, figName=?, grp=?, LB='B', X1=?, X2=?, X3=?, X4=?, X5=?, X6=?, "
                              "X7=?, Y1=?, Y2=?, Y3=?, Y4=?, Y5=?, Y6=?, Y7=?, border=?, specialCase=?, Comment=?, "
                              "Vector=?, Bitmap=? WHERE th=?",
                              {name->text().toStdString(), "BP", I(2), 1.0, 2.0, 1.0, 1.0, 1.0, I(0), I(0), 1.0, 2.0,
                               1.0, 1.0, 1.0, I(0), I(0), I(1), I(0), "", I(1), I(0), number}});
    }
    window.cmdAddPic_Click();
    for (int r = 0; r < 1000; ++r) {
        const QString number = QStringLiteral("N%1").arg(r, 5, 10, QChar('0'));
        window.findChild<QLineEdit *>(QStringLiteral("tTh"))->setText(number);
        window.findChild<QComboBox *>(QStringLiteral("comGroup"))->setCurrentText(QStringLiteral("2"));
        for (const char *box : {"tX1", "tX2", "tX3", "tX4", "tX5", "tY1", "tY2", "tY3", "tY4", "tY5"})
            window.findChild<QLineEdit *>(QLatin1String(box))->setText(QStringLiteral("1"));
        window.cmdUpdate_Click();
        statements.push_back({select, {number.toStdString()}, true});
        statements.push_back({"INSERT INTO picMain (th, tm, figName, grp, LB, X1, X2, X3, X4, X5, X6, X7, Y1, Y2, Y3, "
                              "Y4, Y5, Y6, Y7, border, specialCase, Comment, Vector, Bitmap) VALUES "
                              "(?, '', ?, 2, 'B', 1, 1, 1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0, '', 0, 0)",
                              {number.toStdString(), ("BP" + number).toStdString()}});
    }
    return statements;
}

// Adds 1,000 new groups to a list of the stored ones and saves them;
// returns the statements of the save, for the floor.
std::vector<SqliteFloor::Statement> addGroups(ListModel &groups)
{
    using I = std::int64_t;
    std::vector<SqliteFloor::Statement> statements;
    for (int g = 0; g < 1000; ++g) {
        const int number = 1000 + g;
        const int row = appendNewRow(groups, QString::number(number));
        groups.setCell(row, 1, QStringLiteral("新分组 %1").arg(g));
        statements.push_back({"INSERT INTO picType (grp, grpName) VALUES (?, ?)",
                              {I(number), groups.cell(row, 1).toStdString()}});
    }
    return statements;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareBenchmarkRun();
    if (argc == 4 && QLatin1String(argv[1]) == QLatin1String("--cold"))
        return runColdChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 4 && QLatin1String(argv[1]) == QLatin1String("--build")) {
        const QString error = buildRoot(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
        if (!error.isEmpty())
            std::fprintf(stderr, "cannot build catalogue: %s\n", qPrintable(error));
        return error.isEmpty() ? 0 : 1;
    }
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 10000, 100000};

    QTemporaryDir dir;
    const QString configDir = dir.path() + QStringLiteral("/config");
    for (int figures : sizes) {
        const QString root = dir.path() + QStringLiteral("/root-%1").arg(figures);
        const QString catalogue = root + QStringLiteral("/dbase/system.mdb");
        const QString error = buildRoot(root, figures);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "cannot build catalogue: %s\n", qPrintable(error));
            return 1;
        }
        pointSettingsAt(configDir, root);
        fMain window;
        window.Form_Load();
        window.show();
        app.processEvents();
        auto *list = window.findChild<ListView *>(QStringLiteral("LvFigure"));

        const double load = medianOf(5, [&] {
            return millisecondsOf([&] {
                window.LoadFigData(1);
                app.processEvents();
            });
        });
        int rows = 0;
        const double loadFloor = medianOf(5, [&] { return figureListFloor(catalogue, QStringLiteral("B"), &rows); });
        const int shown = list->rowAt(list->viewport()->height() - 1) + 1;
        if (shown != kRowsShown && list->count() > kRowsShown)
            std::fprintf(stderr, "the list shows %d rows, the floor reads %d\n", shown, kRowsShown);
        const QString listed = QStringLiteral("list %1 figures (%2 Cartesian), ").arg(figures).arg(list->count());
        report(listed + QStringLiteral("cold"), medianOf(3, [&] { return coldInChild("list", root); }),
               medianOf(3, [&] { return coldInChild("floor", root); }));
        report(listed + QStringLiteral("warm"), load, loadFloor);
        if (rows != list->count())
            std::fprintf(stderr, "the floor read %d rows, the list shows %d\n", rows, list->count());

        if (figures != 10000 && sizes.size() > 1)
            continue;
        report(QStringLiteral("show a row in the panel, thumbnail included"), medianOf(5, [&] {
                   return millisecondsOf([&] {
                       for (int r = 0; r < 100; ++r) {
                           list->selectOnly(r);
                           window.LvFigure_Click();
                       }
                   }) / 100;
               }),
               -1);

        // Each save and each floor is timed on a fresh copy of the catalogue as
        // it stood before any save, so that every run does the same work.
        const QString pristine = catalogue + QStringLiteral(".before-saves");
        const QString copy = catalogue + QStringLiteral(".floor");
        QFile::copy(catalogue, pristine);
        const auto fresh = [&](const QString &path) {
            QFile::remove(path);
            QFile::copy(pristine, path);
        };
        // `prepare` edits a fresh copy and gives the statements the floor sends
        // for it; `save` is timed; `allSaved` checks the save wrote every row.
        const auto reportSave = [&](const QString &what,
                                    const std::function<std::vector<SqliteFloor::Statement>()> &prepare,
                                    const std::function<void()> &save, const std::function<bool()> &allSaved) {
            constexpr int kSaveRuns = 5;
            std::vector<SqliteFloor::Statement> statements;
            const double ms = medianOf(kSaveRuns, [&] {
                fresh(catalogue);
                statements = prepare();
                const double taken = millisecondsOf(save);
                if (!allSaved())
                    std::fprintf(stderr, "%s: rows left unsaved\n", qPrintable(what));
                return taken;
            });
            report(what, ms, medianOf(kSaveRuns, [&] {
                       fresh(copy);
                       return SqliteFloor::inOneTransaction(copy, statements);
                   }));
        };
        reportSave(
            QStringLiteral("save 1000 changed and 1000 new rows"),
            [&] {
                window.LoadFigData(1); // opens the fresh file and lists it as the first run found it
                app.processEvents();
                return editAndAdd(window, list);
            },
            [&] { window.cmdSaveLvFigure_Click(); }, [&] { return markedRows(list->items()).empty(); });
        std::optional<ListModel> groups; // a new list for every run
        reportSave(
            QStringLiteral("save 1000 new groups"),
            [&] {
                OpenDatabase(); // the connection on the fresh file
                groups.emplace();
                return addGroups(*groups);
            },
            [&] {
                int current = 0;
                saveGroupList(*groups, current);
            },
            [&] { return markedRows(*groups).empty(); });
    }
    return 0;
}
