#include "tools/DemoCatalogue.h"

#include "figure/FigurePainter.h"
#include "platform/image/GifWriter.h"
#include "tools/CatalogueWriter.h"
#include "tools/DemoDiagrams.h"
#include "tools/InstallRootLayout.h"

QString DemoCatalogue::buildRoot(const QString &root, bool replace, int *figureCount)
{
    InstallRootLayout layout(root);
    const QString error = layout.build(replace, fillCatalogue,
                                       [](const InstallRootLayout &l) { return writeThumbnails(l.thumbnailDir()); });
    if (error.isEmpty() && figureCount)
        *figureCount = int(DemoDiagrams::all().size());
    return error;
}

QString DemoCatalogue::fillCatalogue(const QString &cataloguePath)
{
    CatalogueWriter writer(cataloguePath);
    QString error = writer.begin();
    const QMap<int, QString> groups = DemoDiagrams::groups();
    for (auto it = groups.cbegin(); error.isEmpty() && it != groups.cend(); ++it)
        error = writer.addGroup(it.key(), it.value());
    const QList<DiagramTemplate> figures = DemoDiagrams::all();
    for (const DiagramTemplate &figure : figures) {
        if (!error.isEmpty())
            break;
        error = writer.addFigure(figure);
    }
    return error.isEmpty() ? writer.commit() : error;
}

QString DemoCatalogue::writeThumbnails(const QString &dir)
{
    const QList<DiagramTemplate> figures = DemoDiagrams::all();
    for (const DiagramTemplate &figure : figures) {
        const QString error = GifWriter::write(FigurePainter(figure, DemoCatalogue::kThumbnailSize).paint(), dir + QLatin1Char('/') + figure.thumbnailFile);
        if (!error.isEmpty())
            return error;
    }
    return {};
}
