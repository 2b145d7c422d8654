#pragma once

#include <QRect>

class QWidget;

// Window layouts are given in twips (1440 per logical inch); this is the one
// place that turns them into pixels for the screen in use.
int twipsToPixels(int twips);
QRect twipsRect(int left, int top, int width, int height);
void placeInTwips(QWidget *widget, int left, int top, int width, int height);
// A window's fixed client area.
void setFixedClientTwips(QWidget *window, int width, int height);
