#pragma once

#include "figure/FigureDrawing.h"
#include "figure/LabelTexts.h"
#include "figure/LinePixels.h"

#include <QWidget>

// Paints a figure to fill the widget, redrawn at every size.
class FigureCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit FigureCanvas(QWidget *parent = nullptr);

    void setDrawing(FigureDrawing drawing);
    const FigureDrawing &drawing() const { return m_drawing; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    FigureDrawing m_drawing;
    LabelTexts m_labelTexts;
    LinePixels m_linePixels;
};
