#include "figure/PaintedFigure.h"

#include "figure/FigurePainter.h"

#include <QPainter>

const QImage &PaintedFigure::paint(const FigureDrawing &figure, QSize size, qreal devicePixelRatio)
{
    const FigurePainter painter(figure, size, &m_texts, &m_lines);
    if (!m_image.isNull() && devicePixelRatio == 1
        && painter.repaint(m_image, m_frame, FigurePainter(m_shown, size))) {
        m_shown = figure;
        ++m_partialPaints;
        return m_image;
    }
    m_partialPaints = 0;
    m_frame = painter.paintFrame(devicePixelRatio);
    m_image = m_frame;
    {
        QPainter p(&m_image); // m_image leaves m_frame's pixels here
        painter.drawOverFrame(p);
    }
    m_shown = figure;
    return m_image;
}
