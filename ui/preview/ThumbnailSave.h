#pragma once

#include "figure/FigureDrawing.h"

#include <QString>

class QWidget;

// Draws `drawing` as the thumbnail of `figure`: Diagram/MiniMap/<its stored
// thumbnail name>.gif, at the size most of the folder's thumbnails have, the
// old file replaced only when the user agrees and only once the new one is
// whole. Every outcome but a kept file is told in a message box over `window`.
// Returns whether the file was written.
bool saveThumbnail(QWidget *window, const QString &figure, const FigureDrawing &drawing);
