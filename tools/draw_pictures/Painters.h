#pragma once
// Draws one picture of the description (PictureGeometry.h) into a transparent ARGB image of the
// picture's pixel size. Needs a QGuiApplication for text (the note chips of the charts).

#include <QImage>

#include "PictureGeometry.h"

namespace balalaika::pictures {

QImage drawLamp(const Picture& picture);
QImage drawChart(const Picture& picture);
QImage drawHighlight(const Picture& picture);

// The application icon, size x size pixels; not one of the screen's pictures.
QImage drawIcon(int size);

// Dispatches on the picture's kind.
QImage drawPicture(const Picture& picture);

}  // namespace balalaika::pictures
