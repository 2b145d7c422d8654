#include "ui/common/CaptionFrame.h"

#include <QPainter>

void CaptionFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QFontMetrics metrics(font());
    // An etched line: a dark one with a light one just inside it.
    const QRect border = rect().adjusted(0, metrics.height() / 2, -2, -2);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(border);
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(border.translated(1, 1));
    if (title().isEmpty())
        return;
    const QRect caption(7, 0, metrics.horizontalAdvance(title()) + 2, metrics.height());
    p.fillRect(caption, palette().window());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(caption, Qt::AlignCenter, title());
}
