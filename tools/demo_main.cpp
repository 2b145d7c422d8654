#include "tools/DemoCommand.h"

#include <QGuiApplication>

namespace {

// The tool reports its own failures in one line; Qt's start-up chatter
// (missing runtime folder and the like) would only muddle that.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietMessages);
    // Thumbnails are drawn with QPainter text, which needs a GUI application
    // but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return DemoCommand::run(app.arguments().mid(1), out, err);
}
