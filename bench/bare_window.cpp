// The floor for start-up: a Qt program that shows one empty window. Run under
// the rows-visible watch (QUILLAR_WATCH_LIST=bareWindow), which quits it once
// the window is painted.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName(QStringLiteral("bareWindow"));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
