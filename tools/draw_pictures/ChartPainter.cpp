// Tuning charts: a balalaika seen from the front, headstock up, with the tuning's note names on
// chips at the top of the strings. Drawn in design units (PictureGeometry.h).
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "Painters.h"

namespace balalaika::pictures {
namespace {

const QColor kOutline(0x5c, 0x35, 0x18);
const QColor kDarkWood(0x45, 0x29, 0x18);
const QColor kFingerboard(0x33, 0x22, 0x18);
const QColor kInk(0x2b, 0x1a, 0x10);

// Nut, bridge and fingerboard end in design units.
constexpr double kNutY = 64.0;
constexpr double kBridgeY = 340.0;
constexpr double kFingerboardEndY = 214.0;
constexpr double kNeckLeft = 104.0;
constexpr double kNeckRight = 196.0;

// The triangular body with slightly convex sides and rounded lower corners.
QPainterPath bodyPath() {
  QPainterPath path;
  path.moveTo(150, 118);
  path.quadTo(96, 230, 26, 356);
  path.quadTo(14, 384, 44, 388);
  path.quadTo(150, 396, 256, 388);
  path.quadTo(286, 384, 274, 356);
  path.quadTo(204, 230, 150, 118);
  path.closeSubpath();
  return path;
}

void drawBody(QPainter& p) {
  const QPainterPath body = bodyPath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 55));
  p.drawPath(body.translated(3, 4));

  QLinearGradient top(0, 118, 0, 392);
  top.setColorAt(0.0, QColor(0xf5, 0xdc, 0xa8));
  top.setColorAt(1.0, QColor(0xdc, 0xa8, 0x62));
  p.setBrush(top);
  p.setPen(QPen(kOutline, 3.0));
  p.drawPath(body);

  // Sound hole with its rosette.
  const QPointF hole(150, 270);
  p.setPen(QPen(QColor(0xc0, 0x8a, 0x4a), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(hole, 29, 29);
  p.setPen(QPen(QColor(0x8a, 0x5a, 0x2b), 3.0));
  p.drawEllipse(hole, 25, 25);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(hole, 20, 20);

  // Bridge.
  p.setBrush(kFingerboard);
  p.drawRoundedRect(QRectF(100, kBridgeY - 3, 100, 6), 2, 2);
}

void drawNeck(QPainter& p) {
  // Headstock.
  QPainterPath head;
  head.moveTo(kNeckLeft, kNutY);
  head.lineTo(94, 14);
  head.quadTo(150, 2, 206, 14);
  head.lineTo(kNeckRight, kNutY);
  head.closeSubpath();
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kDarkWood);
  p.drawPath(head);

  // Fingerboard with frets at equal-tempered distances from the nut.
  QLinearGradient board(kNeckLeft, 0, kNeckRight, 0);
  board.setColorAt(0.0, kFingerboard.darker(130));
  board.setColorAt(0.5, kFingerboard.lighter(115));
  board.setColorAt(1.0, kFingerboard.darker(130));
  p.setBrush(board);
  p.drawRoundedRect(QRectF(kNeckLeft, kNutY, kNeckRight - kNeckLeft, kFingerboardEndY - kNutY), 3, 3);
  p.setPen(QPen(QColor(0xcf, 0xcf, 0xcf), 1.6));
  const double scale = kBridgeY - kNutY;
  for (int fret = 1; fret <= 12; ++fret) {
    const double y = kNutY + scale * (1.0 - std::pow(2.0, -fret / 12.0));
    p.drawLine(QPointF(kNeckLeft + 1, y), QPointF(kNeckRight - 1, y));
  }
  // Nut.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xef, 0xe6, 0xd0));
  p.drawRect(QRectF(kNeckLeft, kNutY - 3, kNeckRight - kNeckLeft, 6));
}

void drawStrings(QPainter& p, const std::array<const char*, 3>& notes) {
  for (std::size_t i = 0; i < kStrings.size(); ++i) {
    const StringLine& s = kStrings[i];
    // Lower strings are thicker: 1.2 units at A4, about 0.5 more per octave down.
    const double width = 1.2 + 0.5 * std::log2(440.0 / noteFrequency(notes[i]));
    p.setPen(QPen(QColor(0x3a, 0x3a, 0x3a), width + 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s.x, s.top), QPointF(s.x, s.bottom));
    p.setPen(QPen(QColor(0xee, 0xee, 0xea), width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s.x, s.top), QPointF(s.x, s.bottom));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8c, 0x8c, 0x8c));
    p.drawEllipse(QPointF(s.x, s.bottom), 3, 3);
  }
}

void drawChips(QPainter& p, const std::array<const char*, 3>& notes) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(13);
  font.setHintingPreference(QFont::PreferNoHinting);
  p.setFont(font);
  for (std::size_t i = 0; i < kStrings.size(); ++i) {
    const QPointF centre(kStrings[i].x, kChipCentreY);
    QRadialGradient fill(centre, kChipRadius, centre - QPointF(4, 5));
    fill.setColorAt(0.0, QColor(0xff, 0xfc, 0xf2));
    fill.setColorAt(1.0, QColor(0xf0, 0xe2, 0xc0));
    p.setBrush(fill);
    p.setPen(QPen(kInk, 1.5));
    p.drawEllipse(centre, kChipRadius, kChipRadius);
    p.setPen(kInk);
    const QRectF box(centre.x() - kChipRadius, centre.y() - kChipRadius, 2 * kChipRadius, 2 * kChipRadius);
    p.drawText(box, Qt::AlignCenter, QString::fromLatin1(notes[i]));
  }
}

}  // namespace

QImage drawChart(const Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  p.scale(picture.width / kDesignWidth, picture.height / kDesignHeight);
  const auto& notes = kTuningNotes.at(static_cast<std::size_t>(picture.tuning - 1));
  drawBody(p);
  drawNeck(p);
  drawStrings(p, notes);
  drawChips(p, notes);
  return image;
}

}  // namespace balalaika::pictures
