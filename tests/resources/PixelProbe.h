#pragma once
// Reading pictures of the description in design units (PictureGeometry.h).

#include <QColor>
#include <QImage>
#include <QString>
#include <cmath>

#include "PictureGeometry.h"

namespace balalaika::testing {

// The picture from the resources, non-premultiplied; a null image when it is missing.
inline QImage resourcePicture(const std::string& name) {
  return QImage(QStringLiteral(":/images/") + QString::fromStdString(name)).convertToFormat(QImage::Format_ARGB32);
}

// Pixels per design unit.
inline double scaleOf(const QImage& image) { return image.width() / pictures::kDesignWidth; }

// The two pixel columns whose centres lie nearest to design x.
inline std::pair<int, int> columnsAt(const QImage& image, double x) {
  const int left = static_cast<int>(std::floor(x * scaleOf(image) - 0.5));
  return {left, left + 1};
}

inline int rowAt(const QImage& image, double y) { return static_cast<int>(y * scaleOf(image)); }

inline int alphaAt(const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)); }

inline int lightnessAt(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)).lightness(); }

}  // namespace balalaika::testing
