#include "ui/common/Thumbnail.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMap>

bool isPlainFileName(const QString &name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && !name.contains(QChar(0)) && name != QLatin1String(".") && name != QLatin1String("..");
}

QString findThumbnail(const QString &folder, const QString &name)
{
    if (!isPlainFileName(name))
        return QString();
    const QString fileName = name + QStringLiteral(".gif");
    const QFileInfo exact(folder + fileName);
    if (exact.isFile())
        return exact.filePath();
    const QDir dir(folder);
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return QString();
}

QImage loadThumbnail(const QString &folder, const QString &name, QString *whyNot)
{
    QString reason;
    QImage picture;
    const QString path = findThumbnail(folder, name);
    if (path.isEmpty()) {
        reason = QStringLiteral("没有缩略图文件 %1.gif").arg(name);
    } else {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        const QSize size = reader.size();
        picture = reader.read();
        // Qt refuses pictures above its allocation limit (in megabytes, 4 bytes a pixel).
        const double megabytes = size.isValid() ? 4.0 * size.width() * size.height() / (1024.0 * 1024.0) : 0;
        if (picture.isNull() && QImageReader::allocationLimit() > 0 && megabytes > QImageReader::allocationLimit())
            reason = QStringLiteral("缩略图 %1 太大（%2×%3 像素），无法显示").arg(path).arg(size.width()).arg(size.height());
        else if (picture.isNull())
            reason = QStringLiteral("缩略图 %1 无法读取（%2）").arg(path, reader.errorString());
    }
    if (whyNot)
        *whyNot = reason;
    return picture;
}

QSize commonThumbnailSize(const QString &folder)
{
    QMap<std::pair<int, int>, int> counts;
    const QDir dir(folder);
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (!entry.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive))
            continue;
        QImageReader reader(dir.filePath(entry));
        reader.setDecideFormatFromContent(true);
        const QSize size = reader.size(); // from the header alone
        if (size.isValid() && !size.isEmpty())
            ++counts[{size.width(), size.height()}];
    }
    QSize common = kDefaultThumbnailSize;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            common = QSize(it.key().first, it.key().second);
        }
    }
    return common;
}
