#pragma once

#include "tools/DiagramTemplate.h"

#include <QImage>
#include <QMap>

// A large made-up catalogue for tests and benchmarks. Figure i is always the
// same for the same options, so a test can compute what it expects.
struct SyntheticOptions
{
    int figures = 0;
    int points = 0; // per figure
    int labels = 0; // per figure
    bool thumbnails = false;
};

class SyntheticCatalogue
{
public:
    explicit SyntheticCatalogue(const SyntheticOptions &options);

    // Groups 1..10, all named.
    static QMap<int, QString> groups();
    // Every third figure is triangular; numbers count per type: B001, B002, T001, B003 ...
    DiagramTemplate figure(int index) const;
    static QString figureNumber(int index);
    // The one small picture every synthetic figure uses as thumbnail.
    static QImage thumbnail();

    // Each returns an empty text on success, else the reason.
    QString buildRoot(const QString &root, bool replace) const;
    QString fillCatalogue(const QString &cataloguePath) const;
    QString writeThumbnails(const QString &dir) const;

private:
    SyntheticOptions m_options;
};
