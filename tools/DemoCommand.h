#pragma once

#include <QStringList>
#include <QTextStream>

// The quillar-demo command line:
//   demo ROOT [--force]
//   synthetic ROOT --figures N [--points M] [--labels K] [--thumbnails] [--force]
//   --help
// Exit codes: 0 done, 1 the build failed or was refused, 2 wrong arguments.
// Failures print one line on err.
class DemoCommand
{
public:
    static int run(const QStringList &arguments, QTextStream &out, QTextStream &err);
    static QString usage();
};
