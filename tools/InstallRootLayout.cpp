#include "tools/InstallRootLayout.h"

#include "tools/CatalogueSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

InstallRootLayout::InstallRootLayout(const QString &root)
    : m_root(QDir::cleanPath(QDir(root).absolutePath()))
{
}

QString InstallRootLayout::build(bool replace, const std::function<QString(const QString &)> &fillCatalogue,
                                 const std::function<QString(const InstallRootLayout &)> &writeThumbnails)
{
    QString staging;
    QString error = prepare(replace, &staging);
    if (!error.isEmpty())
        return error;
    error = fillCatalogue(staging);
    // Old thumbnails go only once the new catalogue is complete.
    if (error.isEmpty())
        error = removeThumbnails();
    if (error.isEmpty() && writeThumbnails)
        error = writeThumbnails(*this);
    if (error.isEmpty())
        error = publish(staging);
    if (!error.isEmpty())
        discard(staging);
    return error;
}

QString InstallRootLayout::cataloguePath() const
{
    return m_root + QStringLiteral("/dbase/system.mdb");
}

QString InstallRootLayout::thumbnailDir() const
{
    return m_root + QStringLiteral("/Diagram/MiniMap");
}

QString InstallRootLayout::thumbnailPath(const QString &fileName) const
{
    return thumbnailDir() + QLatin1Char('/') + fileName;
}

QString InstallRootLayout::prepare(bool replace, QString *stagingPath)
{
    const QFileInfo catalogue(cataloguePath());
    if (catalogue.exists() && !replace)
        return QStringLiteral("图版库已存在：%1（如需覆盖，请加 --force）").arg(QDir::toNativeSeparators(catalogue.filePath()));
    if (catalogue.exists() && !catalogue.isFile())
        return QStringLiteral("%1 不是文件，无法覆盖").arg(QDir::toNativeSeparators(catalogue.filePath()));
    for (const QString &dir : {catalogue.path(), thumbnailDir()}) {
        if (!QDir().mkpath(dir))
            return QStringLiteral("无法创建目录：%1").arg(QDir::toNativeSeparators(dir));
    }
    const QString staging = cataloguePath() + QStringLiteral(".new");
    discard(staging);
    if (QFileInfo::exists(staging))
        return QStringLiteral("无法删除上次留下的临时文件：%1").arg(QDir::toNativeSeparators(staging));
    const QString error = createCatalogueFile(staging);
    if (!error.isEmpty()) {
        discard(staging);
        return QStringLiteral("无法创建图版库 %1：%2").arg(QDir::toNativeSeparators(staging), error);
    }
    *stagingPath = staging;
    return {};
}

QString InstallRootLayout::removeThumbnails() const
{
    QDir dir(thumbnailDir());
    // Name filters follow the file system's case rules; ".GIF" must go too.
    const QStringList all = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : all) {
        if (!name.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive))
            continue;
        if (!dir.remove(name))
            return QStringLiteral("无法删除旧缩略图：%1").arg(QDir::toNativeSeparators(dir.filePath(name)));
    }
    return {};
}

QString InstallRootLayout::publish(const QString &stagingPath) const
{
    const QString target = cataloguePath();
    if (QFileInfo::exists(target) && !QFile::remove(target))
        return QStringLiteral("无法替换已有的图版库：%1").arg(QDir::toNativeSeparators(target));
    if (!QFile::rename(stagingPath, target))
        return QStringLiteral("无法把图版库移到 %1").arg(QDir::toNativeSeparators(target));
    return {};
}

void InstallRootLayout::discard(const QString &stagingPath)
{
    for (const QString &suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(stagingPath + suffix);
}
