#pragma once
// Colours and changed pixels of rendered screens, for the tests that look at pictures.

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdlib>

namespace balalaika::testing {

inline bool isGreen(const QColor& c) { return c.green() > c.red() + 40 && c.green() > c.blue() + 40; }
inline bool isYellow(const QColor& c) { return c.red() > 140 && c.green() > 110 && c.blue() < c.green() - 60; }

// Share of the pixels inside area that pass colour.
inline double shareOf(const QImage& image, const QRect& area, bool (*colour)(const QColor&)) {
  long hits = 0, all = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x, ++all) hits += colour(image.pixelColor(x, y)) ? 1 : 0;
  return all != 0 ? static_cast<double>(hits) / static_cast<double>(all) : 0.0;
}

// How many pixels differ clearly between two renders inside area, and their mean position.
struct Change {
  long count = 0;
  double meanX = 0, meanY = 0;
};

inline Change changeWithin(const QImage& before, const QImage& after, const QRect& area) {
  Change change;
  const QRect inside = area.intersected(before.rect()).intersected(after.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QColor a = before.pixelColor(x, y), b = after.pixelColor(x, y);
      if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 60)
        ++change.count, change.meanX += x, change.meanY += y;
    }
  }
  if (change.count) change.meanX /= double(change.count), change.meanY /= double(change.count);
  return change;
}

}  // namespace balalaika::testing
