// String highlights: a green glow along one string and a green ring on its note chip, on a
// transparent picture with the charts' geometry. The plain string-2 picture (strings 2 and 3 share
// the note) also rings string 3's chip faintly and ties the two chips together.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "Painters.h"

namespace balalaika::pictures {
namespace {

const QColor kGreen(0x2e, 0xcc, 0x40);
const QColor kBright(0xe6, 0xff, 0xdc);

void drawLitString(QPainter& p, const StringLine& s) {
  constexpr double kGlowHalfWidth = 12.0;
  QLinearGradient glow(s.x - kGlowHalfWidth, 0, s.x + kGlowHalfWidth, 0);
  glow.setColorAt(0.0, QColor(0x2e, 0xcc, 0x40, 0));
  glow.setColorAt(0.5, QColor(0x2e, 0xcc, 0x40, 150));
  glow.setColorAt(1.0, QColor(0x2e, 0xcc, 0x40, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawRoundedRect(QRectF(s.x - kGlowHalfWidth, s.top, 2 * kGlowHalfWidth, s.bottom - s.top + 4), 6, 6);

  p.setPen(QPen(kGreen, 4.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(s.x, s.top), QPointF(s.x, s.bottom));
  p.setPen(QPen(kBright, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(s.x, s.top), QPointF(s.x, s.bottom));

  // Chip: a green tint under a ring hugging its edge (outer edge 17.25 < kLitHalfWidth).
  const QPointF chip(s.x, kChipCentreY);
  p.setPen(QPen(kGreen, 2.5));
  p.setBrush(QColor(0x2e, 0xcc, 0x40, 70));
  p.drawEllipse(chip, kChipRadius + 1.0, kChipRadius + 1.0);
}

// Marks string 3 as sounding the note of string 2: a thin ring on its chip and a tie between the
// two chips above them.
void drawUnisonMark(QPainter& p) {
  const StringLine& second = kStrings[1];
  const StringLine& third = kStrings[2];
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kGreen, 1.5, Qt::DashLine));
  p.drawEllipse(QPointF(third.x, kChipCentreY), kChipRadius + 1.5, kChipRadius + 1.5);

  QPainterPath tie;
  const double y = kChipCentreY - kChipRadius - 3.0;
  tie.moveTo(third.x + 3, y);
  tie.quadTo((third.x + second.x) / 2, y - 11, second.x - 3, y);
  p.setPen(QPen(kGreen, 3.0, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(tie);
}

}  // namespace

QImage drawHighlight(const Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(picture.width / kDesignWidth, picture.height / kDesignHeight);
  drawLitString(p, kStrings.at(static_cast<std::size_t>(picture.string - 1)));
  if (picture.unison) drawUnisonMark(p);
  return image;
}

}  // namespace balalaika::pictures
