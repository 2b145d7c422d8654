#include "tests/support/AccessFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

QString accessFixture(const QString &name)
{
    return QStringLiteral(QUILLAR_ACCESS_FIXTURES "/") + name;
}

void placeHostRoot(const QString &root, qint64 keep)
{
    QDir().mkpath(root + QStringLiteral("/dbase"));
    QDir().mkpath(root + QStringLiteral("/Diagram/MiniMap"));
    QFile source(accessFixture(QStringLiteral("catalogue-jet4.mdb")));
    QFile target(root + QStringLiteral("/dbase/system.mdb"));
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot place the Access catalogue in %s", qPrintable(root));
    target.write(keep < 0 ? source.readAll() : source.read(keep));
    const QDir thumbnails(accessFixture(QStringLiteral("Diagram/MiniMap")));
    for (const QString &name : thumbnails.entryList(QDir::Files))
        QFile::copy(thumbnails.filePath(name), root + QStringLiteral("/Diagram/MiniMap/") + name);
}

QByteArray fileChecksum(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray();
}
