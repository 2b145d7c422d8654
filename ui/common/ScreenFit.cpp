#include "ui/common/ScreenFit.h"

#include "ui/common/FormControls.h"

#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// Room for the title bar and borders the window system adds.
const QSize kFrameAllowance(16, 48);

} // namespace

void fitToScreen(QWidget &window)
{
    if (const QScreen *screen = window.screen())
        fitWithin(window, screen->availableGeometry().size());
}

void fitWithin(QWidget &window, QSize available)
{
    const QSize designed = window.size();
    const QSize room = available - kFrameAllowance;
    // A window with a layout of its own sizes itself.
    if (window.layout() || (designed.width() <= room.width() && designed.height() <= room.height()))
        return;
    // The controls move as they are, with their places, visibility and tab order, onto a page that scrolls.
    QList<QWidget *> tabOrder;
    for (QWidget *w = window.nextInFocusChain(); w && w != &window; w = w->nextInFocusChain())
        tabOrder << w;
    auto *page = new QWidget;
    page->setFixedSize(designed);
    const QList<QWidget *> controls = window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *control : controls) {
        const bool hidden = control->isHidden();
        control->setParent(page);
        control->setHidden(hidden);
    }
    auto *scroller = new QScrollArea(&window);
    scroller->setObjectName(QStringLiteral("qt_screenFit"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidget(page);
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroller);
    scroller->show(); // also when the window shows already
    window.setFixedSize(designed.boundedTo(room));
    setTabOrderOf(tabOrder);
}
