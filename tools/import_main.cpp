#include "tools/ImportCommand.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ImportCommand::run(app.arguments().mid(1), out, err);
}
