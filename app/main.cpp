#include "app/ProgramIdentity.h"
#include "platform/messages/MessageBox.h"
#include "ui/catalogue/fMain.h"
#include "ui/common/ScreenFit.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(ProgramIdentity::kDesktopId);
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/quillar-48.png"));
    icon.addFile(QStringLiteral(":/icons/quillar-128.png"));
    QApplication::setWindowIcon(icon);
    MessageBox::setTitle(ProgramIdentity::kDisplayName);
    // Every word on screen is Chinese, Qt's own buttons ("确定", "显示细节…") included.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);

    fMain window;
    window.Form_Load();
    fitToScreen(window);
    // The catalogue window opens centred; the others where the window system puts them.
    if (const QScreen *screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    return app.exec();
}
