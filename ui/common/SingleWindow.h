#pragma once

#include "ui/common/ScreenFit.h"

#include <QPointer>
#include <QWidget>

// The one program-wide instance of a secondary window. Asked for while not
// open, it is created, loaded (Form_Load) and shown modeless and without
// owner; asked for while open, it is only brought to the front and keeps what
// it shows. Closing it unloads it with its unsaved edits.
template <typename Window>
class SingleWindow
{
public:
    static Window *instance() { return slot().data(); }

    static Window &show()
    {
        QPointer<Window> &window = slot();
        if (!window) {
            window = new Window;
            window->setAttribute(Qt::WA_DeleteOnClose);
            window->Form_Load();
            fitToScreen(*window);
            window->show();
        } else {
            if (window->isMinimized())
                window->showNormal();
            window->raise();
        }
        window->activateWindow();
        return *window;
    }

private:
    static QPointer<Window> &slot()
    {
        static QPointer<Window> window;
        return window;
    }
};
