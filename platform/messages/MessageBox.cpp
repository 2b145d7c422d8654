#include "platform/messages/MessageBox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>

namespace {

MessageBox::Hook &hook()
{
    static MessageBox::Hook h;
    return h;
}

QString &boxTitle()
{
    static QString t;
    return t;
}

// A box sizes itself to its text; a short text leaves the title cut off in
// the title bar. Title bars use a larger, bold font and keep room for the
// icon and the window buttons, hence the allowance.
void makeRoomForTitle(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 160;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

QMessageBox::StandardButton MessageBox::show(QWidget *parent, const MessageRequest &request)
{
    if (hook())
        return hook()(request);
    QMessageBox box(request.icon, title(), request.text, request.buttons, parent);
    for (auto it = request.buttonTexts.cbegin(); it != request.buttonTexts.cend(); ++it) {
        if (QAbstractButton *button = box.button(it.key()))
            button->setText(it.value());
    }
    if (!request.detail.isEmpty())
        box.setDetailedText(request.detail);
    // Return closes the box, also when it has a details button, which would
    // otherwise take the focus and toggle the details.
    if (request.buttons.testFlag(QMessageBox::Ok))
        box.setDefaultButton(QMessageBox::Ok);
    makeRoomForTitle(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::setHook(Hook h)
{
    hook() = std::move(h);
}

void MessageBox::setTitle(const QString &title)
{
    boxTitle() = title;
}

QString MessageBox::title()
{
    return boxTitle().isEmpty() ? QCoreApplication::applicationName() : boxTitle();
}
