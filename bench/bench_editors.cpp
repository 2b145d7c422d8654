// The point and label editors beside the floor of the storage: a figure with
// 10,000 points (labels) loaded into its editor beside the same select read
// by storage class through SQLite's C API, and 10,000 new points (labels) added
// through the editor's add button and saved beside one C API transaction of
// the same statements. Also the preview of that figure redrawn from the open
// point editor's rows, read and painted, as it stands and after one of its
// points moved in the editor (what an edit redraws).
//   QT_QPA_PLATFORM=offscreen build/bin/bench_editors [rows]
#include "app/CatalogueStatements.h"
#include "app/mQuillar.h"
#include "bench/BenchTiming.h"
#include "bench/SqliteFloor.h"
#include "platform/listview/ListView.h"
#include "tools/SyntheticCatalogue.h"
#include "ui/labels/fPicLbl.h"
#include "ui/points/fPicData.h"
#include "ui/preview/FigureCanvas.h"
#include "ui/preview/fPreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

template <typename Editor>
std::unique_ptr<Editor> openEditor(const QString &figure)
{
    gFigNo = figure;
    auto editor = std::make_unique<Editor>();
    editor->Form_Load();
    return editor;
}

template <typename Editor>
void measureLoad(const QString &what, const QString &catalogue, const QString &figure, const QString &select)
{
    // The load itself: the window is built before and taken down after, as
    // the floor opens no window either.
    const double load = medianOf(5, [&] {
        gFigNo = figure;
        Editor editor;
        return millisecondsOf([&] { editor.Form_Load(); });
    });
    report(what, load, medianOf(5, [&] { return SqliteFloor::selectAll(catalogue, select); }));
}

// Adds `rows` rows through the editor's two-press add button, then saves.
template <typename Editor>
void measureAddAndSave(const QString &noun, const QString &catalogue, const QString &figure, int rows,
                       const std::function<void(Editor &, int)> &fill, void (Editor::*add)(),
                       const std::vector<SqliteFloor::Statement> &statements)
{
    auto editor = openEditor<Editor>(figure);
    const double adding = millisecondsOf([&] {
        for (int r = 0; r < rows; ++r) {
            (editor.get()->*add)();
            fill(*editor, r);
            (editor.get()->*add)();
        }
    });
    report(QStringLiteral("add %1 %2 with the add button").arg(rows).arg(noun), adding, -1);
    const QString copy = catalogue + QStringLiteral(".floor");
    QFile::remove(copy);
    QFile::copy(catalogue, copy);
    const double save = millisecondsOf([&] { editor->cmdSave_Click(); });
    report(QStringLiteral("save %1 new %2").arg(rows).arg(noun), save, SqliteFloor::inOneTransaction(copy, statements));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareBenchmarkRun();
    const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;

    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/root");
    const QString catalogue = root + QStringLiteral("/dbase/system.mdb");
    SyntheticOptions options;
    options.figures = 3;
    options.points = rows;
    options.labels = rows;
    const QString error = SyntheticCatalogue(options).buildRoot(root, false);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "cannot build catalogue: %s\n", qPrintable(error));
        return 1;
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path() + QStringLiteral("/config"));
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kestomar software"))
        .setValue(QStringLiteral("Strativa/Path"), root);
    const QString figure = SyntheticCatalogue::figureNumber(0);
    const QString empty = QStringLiteral("EMPTY");

    measureLoad<fPicData>(QStringLiteral("load %1 points into the point editor").arg(rows), catalogue, figure,
                          CatalogueStatements::pointsOfFigure(figure).shown());
    measureLoad<fPicLbl>(QStringLiteral("load %1 labels into the label editor").arg(rows), catalogue, figure,
                         CatalogueStatements::labelsOfFigure(figure).shown());

    {
        const auto editor = openEditor<fPicData>(figure);
        editor->show();
        fPreview preview;
        preview.Form_Load();
        preview.show();
        const auto redraw = [&] {
            return millisecondsOf([&] {
                preview.showFigure(figure);
                const_cast<FigureCanvas &>(preview.canvas()).grab();
            });
        };
        report(QStringLiteral("preview %1 points from the open editor (read and paint)").arg(rows), medianOf(5, redraw), -1);
        // The middle row's X moved by `by` and back, in turns, before each redraw.
        const auto redrawAfterMoves = [&](const ListView &rowsShown, const QStringList &fields, double by) {
            ListView &list = const_cast<ListView &>(rowsShown);
            const int xCell = int(fields.indexOf(QStringLiteral("X"))) + 1;
            const int row = list.count() / 2;
            const QString x = list.cell(row, xCell);
            int moves = 0;
            const double ms = medianOf(5, [&] {
                list.setCell(row, xCell, ++moves % 2 ? QString::number(x.toDouble() + by) : x);
                return redraw();
            });
            list.setCell(row, xCell, x);
            return ms;
        };
        // The moved point's line is rasterized anew, the tiles its pixels changed painted again.
        report(QStringLiteral("preview after a point moved in the editor"),
               redrawAfterMoves(editor->rows(), fPicData::cellFields(), 1), -1);
        // The moved label is painted anew where it was and where it is, with
        // the labels that reach there.
        const auto labelEditor = openEditor<fPicLbl>(figure);
        labelEditor->show();
        report(QStringLiteral("preview after a label moved in the editor"),
               redrawAfterMoves(labelEditor->rows(), fPicLbl::cellFields(), 2), -1);
    }

    std::vector<SqliteFloor::Statement> points, labels;
    const std::string emptyNumber = empty.toStdString();
    for (int r = 1; r <= rows; ++r) {
        const std::int64_t id = r;
        const double value = r % 97;
        points.push_back({"select * from pData where th= ? and ID=?", {emptyNumber, id}, true});
        points.push_back({"INSERT INTO pData (th, ID, Series, curve, X, Y, L) VALUES (?, ?, 1, 1, ?, ?, 1)",
                          {emptyNumber, id, value, value}});
        labels.push_back({"select * from picLable where th= ? and ID=?", {emptyNumber, id}, true});
        labels.push_back({"INSERT INTO picLable (th, ID, X, Y, Lbl) VALUES (?, ?, ?, ?, ?)",
                          {emptyNumber, id, value, value, "标签 " + std::to_string(r)}});
    }
    measureAddAndSave<fPicData>(
        QStringLiteral("points"), catalogue, empty, rows,
        [](fPicData &w, int r) {
            w.findChild<QLineEdit *>(QStringLiteral("tTxtBx3"))->setText(QString::number(r % 97));
            w.findChild<QLineEdit *>(QStringLiteral("tTxtBx4"))->setText(QString::number(r % 97));
        },
        &fPicData::cmdAddPoint_Click, points);
    measureAddAndSave<fPicLbl>(
        QStringLiteral("labels"), catalogue, empty, rows,
        [](fPicLbl &w, int r) {
            w.findChild<QLineEdit *>(QStringLiteral("tTxtBx1"))->setText(QString::number(r % 97));
            w.findChild<QLineEdit *>(QStringLiteral("tTxtBx2"))->setText(QString::number(r % 97));
            w.findChild<QPlainTextEdit *>(QStringLiteral("tTxtBx3"))->setPlainText(QStringLiteral("标签 %1").arg(r + 1));
        },
        &fPicLbl::Command1_Click, labels);

    // Pasting a table of `rows` lines into an empty figure's editor on screen,
    // then its save, checked by loading the figure again.
    const auto measurePaste = [&](auto opened, const QString &noun, const QString &pastedFigure,
                                  const std::function<QString(int)> &line) {
        auto editor = opened(pastedFigure);
        editor->show();
        QString table;
        for (int r = 0; r < rows; ++r)
            table += line(r);
        bool pasted = false;
        report(QStringLiteral("paste %1 %2").arg(rows).arg(noun),
               millisecondsOf([&] { pasted = editor->pasteRows(table); }), -1);
        const double save = millisecondsOf([&] { editor->cmdSave_Click(); });
        const int stored = opened(pastedFigure)->rows().count();
        report(QStringLiteral("save %1 pasted %2 (%3 stored)").arg(rows).arg(noun).arg(stored), save, -1);
        if (!pasted || stored != rows)
            std::fprintf(stderr, "the pasted %s were not all saved\n", qPrintable(noun));
    };
    measurePaste([](const QString &f) { return openEditor<fPicData>(f); }, QStringLiteral("points"),
                 QStringLiteral("PASTED"), [](int r) { return QStringLiteral("%1\t%2\n").arg(r % 97).arg(r % 89); });
    measurePaste([](const QString &f) { return openEditor<fPicLbl>(f); }, QStringLiteral("labels"),
                 QStringLiteral("PASTED"),
                 [](int r) { return QStringLiteral("%1\t%2\t标签 %3\n").arg(r % 97).arg(r % 89).arg(r + 1); });
    return 0;
}
