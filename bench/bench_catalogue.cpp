// How long the catalogue window takes on a large catalogue: start-up with the
// list, a type switch, showing rows, and saving a thousand changed or new rows.
#include "app/mQuillar.h"
#include "platform/listview/ListView.h"
#include "platform/messages/MessageBox.h"
#include "tools/SyntheticCatalogue.h"
#include "ui/catalogue/fMain.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

double millisecondsOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void report(const char *what, double ms)
{
    std::printf("%-48s %9.1f ms\n", what, ms);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // A message box would wait for a click nobody makes: print it instead.
    MessageBox::setHook([](const MessageRequest &request) {
        std::fprintf(stderr, "message: %s\n%s\n", qPrintable(request.text), qPrintable(request.detail));
        return QMessageBox::Ok;
    });
    const int figures = argc > 1 ? std::atoi(argv[1]) : 10000;

    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/root");
    SyntheticOptions options;
    options.figures = figures;
    const QString error = SyntheticCatalogue(options).buildRoot(root, false);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "cannot build catalogue: %s\n", qPrintable(error));
        return 1;
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kestomar software"))
        .setValue(QStringLiteral("Strativa/Path"), root);

    std::printf("catalogue of %d figures\n", figures);
    fMain window;
    report("start-up with the Cartesian list", millisecondsOf([&] { window.Form_Load(); window.show(); app.processEvents(); }));
    auto *list = window.findChild<ListView *>(QStringLiteral("LvFigure"));
    std::printf("  %d Cartesian figures listed\n", list->count());

    auto *triangular = window.findChild<QRadioButton *>(QStringLiteral("Opt2"));
    auto *cartesian = window.findChild<QRadioButton *>(QStringLiteral("Opt1"));
    report("switch to triangular and back", millisecondsOf([&] {
               triangular->setChecked(true);
               cartesian->setChecked(true);
               app.processEvents();
           }));

    report("show 100 rows (per row)", millisecondsOf([&] {
               for (int r = 0; r < 100; ++r) {
                   list->selectOnly(r);
                   window.LvFigure_Click();
               }
           }) / 100);

    const int edits = std::min(1000, list->count());
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("tPicName"));
    for (int r = 0; r < edits; ++r) {
        list->selectOnly(r * list->count() / edits);
        window.LvFigure_Click();
        name->setText(QStringLiteral("改过的图名 %1").arg(r));
        window.cmdUpdate_Click();
    }
    report(qPrintable(QStringLiteral("save %1 changed rows").arg(edits)),
           millisecondsOf([&] { window.cmdSaveLvFigure_Click(); }));

    window.cmdAddPic_Click();
    for (int r = 0; r < 1000; ++r) {
        window.findChild<QLineEdit *>(QStringLiteral("tTh"))->setText(QStringLiteral("N%1").arg(r, 5, 10, QChar('0')));
        window.findChild<QComboBox *>(QStringLiteral("comGroup"))->setCurrentText(QStringLiteral("2"));
        for (const char *box : {"tX1", "tX2", "tX3", "tX4", "tX5", "tY1", "tY2", "tY3", "tY4", "tY5"})
            window.findChild<QLineEdit *>(QLatin1String(box))->setText(QStringLiteral("1"));
        window.cmdUpdate_Click();
    }
    report("save 1000 new rows", millisecondsOf([&] { window.cmdSaveLvFigure_Click(); }));
    return 0;
}
