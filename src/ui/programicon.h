#pragma once

#include <QIcon>
#include <QRectF>

class QPainter;

// The program's picture, a white maple leaf on a rounded green plate. One SVG file, compiled into
// the program, is the window icon, the menu icon and the launcher's logo.

// The program's icon, sharp at every size.
QIcon ProgramIcon();
// Paints the picture into `area`; `lit` lightens the plate, as under the mouse pointer.
void PaintProgramPicture(QPainter &painter, const QRectF &area, bool lit);
