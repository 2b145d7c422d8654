#include "app/mQuillar.h"

#include "app/HostCatalogue.h"
#include "platform/database/DbError.h"
#include "platform/messages/MessageBox.h"
#include "platform/settings/UserSettings.h"

#include <QCoreApplication>
#include <utility>

std::shared_ptr<Connection> gConn;
SqlStatement gSql;
std::shared_ptr<Recordset> gRs;
qint16 gFigType = 0;
QString gMiniMapDir;
QString gFigNo;

QString GetInstallSetting(const QString &key)
{
    return readUserSetting(QStringLiteral("Kestomar software"), QStringLiteral("Strativa"), key);
}

QString CataloguePath()
{
    return GetInstallSetting(QStringLiteral("Path")) + QStringLiteral("/dbase/system.mdb");
}

namespace {

// The shared state lets go of its database handles while the application is
// still there, not at static destruction after it.
void releaseSharedDatabase()
{
    gRs.reset();
    gConn.reset();
}

} // namespace

QString OpenDatabase()
{
    static const bool releaseRegistered = (qAddPostRoutine(releaseSharedDatabase), true);
    Q_UNUSED(releaseRegistered);
    const std::shared_ptr<Connection> previous = std::exchange(gConn, std::make_shared<Connection>());
    if (previous)
        previous->close();
    try {
        // Should this open fail, the next save opens the file that the lists were read from.
        gConn->open(HostCatalogue::fileToOpen(CataloguePath()), previous.get());
    } catch (const DbError &e) {
        return e.reason();
    }
    return QString();
}

void OpenSharedRecordset()
{
    gRs = std::make_shared<Recordset>();
    gRs->open(gSql, gConn);
}

void ReportOpenFailure(const QString &reason, QWidget *parent)
{
    MessageRequest request;
    request.icon = QMessageBox::Warning;
    if (GetInstallSetting(QStringLiteral("Path")).isEmpty()) {
        // Without an install root the path names no real file; say what to set instead.
        request.text = QStringLiteral("没有设置 Strativa 的安装目录，找不到图版数据库。\n"
                                      "请在设置文件 %1 的 [Strativa] 一节中写入 Path=安装目录。\n"
                                      "想先试用，可用 quillar-demo demo 目录 生成演示图版库（见 man quillar-demo）。")
                           .arg(userSettingsFile(QStringLiteral("Kestomar software")));
    } else {
        request.text = QStringLiteral("无法打开图版数据库：") + CataloguePath() + QLatin1Char('\n') + causeOfFailure(reason);
    }
    request.detail = reason;
    MessageBox::show(parent, request);
}

void ReportError(const QString &detail, QWidget *parent)
{
    MessageRequest request;
    request.text = QStringLiteral("不好意思，出错了！");
    if (!detail.isEmpty())
        request.text += QLatin1Char('\n') + causeOfFailure(detail);
    request.detail = detail;
    // On the host's Access catalogue every save ends at the refusal: no error, a reason.
    if (HostCatalogue::isReadOnly()) {
        request.text = HostCatalogue::saveRefusal();
        request.detail.clear();
    }
    MessageBox::show(parent, request);
}
