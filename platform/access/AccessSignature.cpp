#include "platform/access/AccessSignature.h"

#include <QFile>

bool isAccessFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(20);
    // Byte 4 on: "Standard Jet DB" or "Standard ACE DB", NUL-terminated.
    return head.size() == 20
           && (head.mid(4, 16) == QByteArray("Standard Jet DB", 16) || head.mid(4, 16) == QByteArray("Standard ACE DB", 16));
}
