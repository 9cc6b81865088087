// Draws the skin images from the element table.
#pragma once

#include <QColor>
#include <QImage>

#include "skin_table.h"

namespace zrv::skingen {

enum class State { Normal, Over, Down };

// Page images: the frame, the panels and every element of the sheet in one state. The
// lamp colour is what the lighting preview shows in this image (color page only).
QImage DrawPage(Sheet sheet, State state, QColor lampColor = {}, bool lampDark = false);
QImage DrawWarning(State state);
// Mask: dark inside the outline, white outside.
QImage DrawMask(const QPolygon& outline, QSize size);
QImage DrawPlainMask(QSize size);
// Popup rows stacked from the top; rows with an arrow open a second list.
QImage DrawMenu(QSize size, int rowHeight, State state, int firstArrowRow, int lastArrowRow);

// Image font (numbers and the logo drawn into the images, never the labels).
QFont ImageFont(int pixelSize, bool bold = false);

}  // namespace zrv::skingen
