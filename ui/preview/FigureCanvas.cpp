#include "ui/preview/FigureCanvas.h"

#include <QPainter>

FigureCanvas::FigureCanvas(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(320, 280);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FigureCanvas::setDrawing(FigureDrawing drawing)
{
    m_drawing = std::move(drawing);
    m_message.clear();
    update();
}

void FigureCanvas::showMessage(const QString &text)
{
    m_drawing = {};
    m_message = text;
    update();
}

void FigureCanvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_message.isEmpty()) {
        p.fillRect(rect(), Qt::white);
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_message);
        return;
    }
    p.drawImage(QPoint(0, 0), m_painted.paint(m_drawing, size(), devicePixelRatioF()));
}
