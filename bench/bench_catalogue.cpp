// The catalogue window beside the floor of the storage: the figure list loaded
// for 1,000, 10,000 and 100,000 figures (two thirds Cartesian) beside the same
// select read into strings through SQLite's C API; showing a row; saving 1,000
// changed and 1,000 new rows beside one C API transaction of the same
// statements; the process from start to the shown window beside a bare Qt
// program; and the peak resident memory with the largest catalogue listed.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_catalogue [figures ...]
#include "app/CatalogueStatements.h"
#include "bench/BenchTiming.h"
#include "bench/SqliteFloor.h"
#include "platform/listview/ListView.h"
#include "tools/SyntheticCatalogue.h"
#include "ui/catalogue/fMain.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

QString buildRoot(const QString &root, int figures)
{
    SyntheticOptions options;
    options.figures = figures;
    return SyntheticCatalogue(options).buildRoot(root, false);
}

void pointSettingsAt(const QString &configDir, const QString &root)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kestomar software"))
        .setValue(QStringLiteral("Strativa/Path"), root);
}

// Wall time of a whole process run on the offscreen platform.
double processMs(const QString &program, const QString &configDir)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir);
    env.insert(QStringLiteral("QUILLAR_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    process.start(program, {});
    process.waitForFinished(120000);
    return timer.nsecsElapsed() / 1e6;
}

// Peak resident memory of one run of the program, measured by GNU time from
// a process of its own size (a child forked from here would count our pages).
double peakMegabytes(const QString &program, const QString &configDir)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir);
    env.insert(QStringLiteral("QUILLAR_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral("/usr/bin/time"), {QStringLiteral("-f"), QStringLiteral("peak-kb %M"), program});
    process.waitForFinished(120000);
    const QString out = QString::fromLocal8Bit(process.readAllStandardError());
    const qsizetype at = out.lastIndexOf(QLatin1String("peak-kb "));
    return at < 0 ? -1 : out.mid(at + 8).trimmed().toDouble() / 1024.0;
}

// Edits 1,000 rows of the list through the panel and adds 1,000 new figures;
// returns the statements the save will send, for the floor.
std::vector<SqliteFloor::Statement> editAndAdd(fMain &window, ListView *list)
{
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
        statements.push_back({"UPDATE picMain SET tm=?, figName=?, grp=?, LB='B', X1=?, X2=?, X3=?, X4=?, X5=?, X6=?, "
                              "X7=?, Y1=?, Y2=?, Y3=?, Y4=?, Y5=?, Y6=?, Y7=?, border=?, specialCase=?, Comment=?, "
                              "Vector=?, Bitmap=? WHERE th=?",
                              {name->text().toStdString(), "BP", "2", "1", "2", "1", "1", "1", "0", "0", "1", "2",
                               "1", "1", "1", "0", "0", "1", "0", "", "1", "0", number}});
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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareBenchmarkRun();
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
        const QString select = CatalogueStatements::figuresOfType(QStringLiteral("B"));
        const double loadFloor = medianOf(5, [&] { return SqliteFloor::selectAll(catalogue, select, &rows); });
        report(QStringLiteral("list %1 figures (%2 Cartesian)").arg(figures).arg(list->count()), load, loadFloor);
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

        const std::vector<SqliteFloor::Statement> statements = editAndAdd(window, list);
        const QString copy = catalogue + QStringLiteral(".floor");
        QFile::copy(catalogue, copy);
        const double save = millisecondsOf([&] { window.cmdSaveLvFigure_Click(); });
        report(QStringLiteral("save 1000 changed and 1000 new rows"), save, SqliteFloor::inOneTransaction(copy, statements));

        const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_bare_window");
        const double start = medianOf(5, [&] { return processMs(QStringLiteral(QUILLAR_PROGRAM), configDir); });
        report(QStringLiteral("start to shown window, %1 figures").arg(figures), start,
               medianOf(5, [&] { return processMs(bare, configDir); }));
    }

    // The largest catalogue listed by the real program, alone in its process.
    const int largest = *std::max_element(sizes.begin(), sizes.end());
    pointSettingsAt(configDir, dir.path() + QStringLiteral("/root-%1").arg(largest));
    std::printf("%-46s %9.1f MB\n", qPrintable(QStringLiteral("peak memory, %1 figures listed").arg(largest)),
                peakMegabytes(QStringLiteral(QUILLAR_PROGRAM), configDir));
    return 0;
}
