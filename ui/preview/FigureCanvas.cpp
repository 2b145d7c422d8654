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
    update();
}

void FigureCanvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    FigurePainter(m_drawing, size(), &m_labelTexts, &m_linePixels).paint(p);
}
