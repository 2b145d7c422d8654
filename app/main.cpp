#include "app/ProgramIdentity.h"
#include "platform/messages/MessageBox.h"
#include "ui/catalogue/fMain.h"
#include "ui/common/ScreenFit.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char *argv[])
{
#ifdef __GLIBC__
    // A long list's storage comes in large blocks. Left to itself, glibc
    // moves such blocks onto the heap once the first is freed, where a type
    // switch's new list cannot reuse the old one's holes: keep them mapped,
    // so a replaced list goes back to the system whole.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
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
