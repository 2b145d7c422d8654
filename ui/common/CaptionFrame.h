#pragma once

#include <QGroupBox>

// A frame with its caption in the top border line, the line running at half
// the caption's height: controls placed just under the caption, as the
// windows were designed, stay clear of the border.
class CaptionFrame : public QGroupBox
{
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};
