// Round indicator lamps: a dark bezel around a glossy lens, yellow or green.
#include <QPainter>
#include <QRadialGradient>

#include "Painters.h"

namespace balalaika::pictures {

QImage drawLamp(const Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = picture.width;
  const QPointF centre(s / 2, s / 2);

  // Bezel.
  QRadialGradient bezel(centre, 0.47 * s);
  bezel.setColorAt(0.80, QColor(0x5a, 0x5a, 0x5a));
  bezel.setColorAt(1.00, QColor(0x1c, 0x1c, 0x1c));
  p.setPen(Qt::NoPen);
  p.setBrush(bezel);
  p.drawEllipse(centre, 0.47 * s, 0.47 * s);

  // Lens: light near the upper left, saturated in the middle, deeper at the rim.
  const bool green = picture.lamp == LampColour::Green;
  const QColor light = green ? QColor(0xc8, 0xff, 0xc0) : QColor(0xff, 0xf6, 0xb8);
  const QColor body = green ? QColor(0x2e, 0xcc, 0x40) : QColor(0xff, 0xcc, 0x00);
  const QColor rim = green ? QColor(0x0f, 0x6e, 0x20) : QColor(0xb0, 0x82, 0x00);
  QRadialGradient lens(centre, 0.39 * s, QPointF(0.42 * s, 0.38 * s));
  lens.setColorAt(0.0, light);
  lens.setColorAt(0.45, body);
  lens.setColorAt(1.0, rim);
  p.setBrush(lens);
  p.drawEllipse(centre, 0.39 * s, 0.39 * s);

  // Gloss.
  QRadialGradient gloss(QPointF(0.5 * s, 0.30 * s), 0.24 * s);
  gloss.setColorAt(0.0, QColor(255, 255, 255, 170));
  gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.setBrush(gloss);
  p.drawEllipse(QPointF(0.5 * s, 0.30 * s), 0.24 * s, 0.15 * s);
  return image;
}

QImage drawPicture(const Picture& picture) {
  switch (picture.kind) {
    case Kind::Lamp:
      return drawLamp(picture);
    case Kind::Chart:
      return drawChart(picture);
    case Kind::Highlight:
      return drawHighlight(picture);
  }
  return {};
}

}  // namespace balalaika::pictures
