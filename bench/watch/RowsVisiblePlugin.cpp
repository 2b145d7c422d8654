// The generic plugin that puts RowsVisibleWatch into the program under measurement.
#include "bench/watch/RowsVisibleWatch.h"

#include <QGenericPlugin>

class RowsVisiblePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "rowsvisible.json")
public:
    QObject *create(const QString &key, const QString &) override
    {
        return key.compare(QLatin1String("rowsvisible"), Qt::CaseInsensitive) == 0 ? new RowsVisibleWatch : nullptr;
    }
};

#include "RowsVisiblePlugin.moc"
