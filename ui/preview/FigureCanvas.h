#pragma once

#include "figure/FigureDrawing.h"
#include "figure/PaintedFigure.h"

#include <QWidget>

// Paints a figure to fill the widget, redrawn at every size; or a message in
// its place.
class FigureCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit FigureCanvas(QWidget *parent = nullptr);

    void setDrawing(FigureDrawing drawing);
    const FigureDrawing &drawing() const { return m_drawing; }
    // Until the next drawing: `text` instead of one.
    void showMessage(const QString &text);
    QString message() const { return m_message; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    FigureDrawing m_drawing;
    QString m_message;
    PaintedFigure m_painted;
};
