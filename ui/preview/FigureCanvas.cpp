#include "ui/preview/FigureCanvas.h"

#include "figure/FigurePainter.h"

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
    p.fillRect(rect(), Qt::white);
    if (!m_message.isEmpty()) {
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_message);
        return;
    }
    FigurePainter(m_drawing, size(), &m_labelTexts, &m_linePixels).paint(p);
}
