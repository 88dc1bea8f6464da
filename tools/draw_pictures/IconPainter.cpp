// The application icon: a balalaika leaning on a dark blue rounded square, with a green tuner
// lamp beside its headstock. Drawn in a 512 x 512 design space, scaled to the icon's size, so
// that every size shows the same picture.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "Painters.h"

namespace balalaika::pictures {
namespace {

constexpr double kIconDesign = 512.0;

void drawBackground(QPainter& p) {
  QLinearGradient fill(0, 0, 0, kIconDesign);
  fill.setColorAt(0.0, QColor(0x24, 0x5a, 0x7a));
  fill.setColorAt(1.0, QColor(0x10, 0x2c, 0x40));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  // Inset a little so that the rounded square is not cut at small sizes.
  p.drawRoundedRect(QRectF(16, 16, kIconDesign - 32, kIconDesign - 32), 96, 96);
}

// The instrument upright around x = 0, body's bottom edge at y = 200, headstock top at y = -220.
void drawInstrument(QPainter& p) {
  const QColor outline(0x5c, 0x35, 0x18);
  QPainterPath body;
  body.moveTo(0, -40);
  body.quadTo(-50, 60, -118, 168);
  body.quadTo(-130, 196, -100, 200);
  body.quadTo(0, 210, 100, 200);
  body.quadTo(130, 196, 118, 168);
  body.quadTo(50, 60, 0, -40);
  body.closeSubpath();
  QLinearGradient wood(0, -40, 0, 205);
  wood.setColorAt(0.0, QColor(0xf7, 0xdf, 0xaa));
  wood.setColorAt(1.0, QColor(0xd9, 0xa1, 0x55));
  p.setPen(QPen(outline, 8));
  p.setBrush(wood);
  p.drawPath(body);

  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2b, 0x1a, 0x10));
  p.drawEllipse(QPointF(0, 110), 24, 24);

  // Neck and headstock.
  p.setBrush(QColor(0x33, 0x22, 0x18));
  p.drawRoundedRect(QRectF(-20, -190, 40, 170), 6, 6);
  QPainterPath head;
  head.moveTo(-20, -180);
  head.lineTo(-30, -228);
  head.quadTo(0, -240, 30, -228);
  head.lineTo(20, -180);
  head.closeSubpath();
  p.setBrush(QColor(0x45, 0x29, 0x18));
  p.drawPath(head);

  // Bridge and three strings.
  p.setBrush(QColor(0x33, 0x22, 0x18));
  p.drawRoundedRect(QRectF(-34, 160, 68, 10), 3, 3);
  p.setPen(QPen(QColor(0xf2, 0xf2, 0xee), 5, Qt::SolidLine, Qt::RoundCap));
  for (const double x : {-11.0, 0.0, 11.0}) p.drawLine(QPointF(x, -200), QPointF(x, 165));
}

void drawLamp(QPainter& p, QPointF centre, double radius) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1c, 0x1c, 0x1c));
  p.drawEllipse(centre, radius * 1.2, radius * 1.2);
  QRadialGradient lens(centre, radius, centre - QPointF(radius * 0.3, radius * 0.35));
  lens.setColorAt(0.0, QColor(0xc8, 0xff, 0xc0));
  lens.setColorAt(0.5, QColor(0x2e, 0xcc, 0x40));
  lens.setColorAt(1.0, QColor(0x0f, 0x6e, 0x20));
  p.setBrush(lens);
  p.drawEllipse(centre, radius, radius);
}

}  // namespace

QImage drawIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / kIconDesign, size / kIconDesign);
  drawBackground(p);
  drawLamp(p, QPointF(128, 128), 52);
  p.save();
  p.translate(280, 280);
  p.rotate(30.0);  // headstock to the upper right, away from the lamp
  drawInstrument(p);
  p.restore();
  return image;
}

}  // namespace balalaika::pictures
