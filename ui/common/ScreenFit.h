#pragma once

#include <QSize>

class QWidget;

// A window larger than its screen (a small screen at a high scaling) gets
// the screen's size and scrolls its designed content; a window that fits
// stays exactly as designed.
void fitToScreen(QWidget &window);
// The same within `available`, the room the window may take, frame included.
void fitWithin(QWidget &window, QSize available);
