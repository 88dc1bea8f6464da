#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QQuickItem>
#include <cmath>

#include "ScreenshotStates.h"
#include "TunerRig.h"
#include "app/LayoutTable.h"
#include "platform/qt/QtImages.h"
#include "platform/qt/QtViews.h"

namespace balalaika {
namespace {

using rig::TunerRig;

QRectF sceneRectOf(const QQuickItem* item) { return item->mapRectToScene(QRectF(0, 0, item->width(), item->height())); }

// Mean colour of a 5 x 5 pixel square around the centre of an item.
QColor centreColour(const QImage& image, const QQuickItem* item) {
  const QPointF centre = sceneRectOf(item).center();
  long r = 0, g = 0, b = 0;
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      const QColor c = image.pixelColor(int(centre.x()) + dx, int(centre.y()) + dy);
      r += c.red();
      g += c.green();
      b += c.blue();
    }
  }
  return QColor(int(r / 25), int(g / 25), int(b / 25));
}

bool isGreen(const QColor& c) { return c.green() > c.red() + 40 && c.green() > c.blue() + 40; }
bool isYellow(const QColor& c) { return c.red() > 140 && c.green() > 110 && c.blue() < c.green() - 60; }

// How many pixels differ between two renders inside a rectangle, and their mean position.
struct Change {
  long count = 0;
  double meanX = 0;
  double meanY = 0;
};

Change changeWithin(const QImage& before, const QImage& after, const QRect& area) {
  Change change;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor a = before.pixelColor(x, y), b = after.pixelColor(x, y);
      if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 60) {
        ++change.count;
        change.meanX += x;
        change.meanY += y;
      }
    }
  }
  if (change.count) {
    change.meanX /= double(change.count);
    change.meanY /= double(change.count);
  }
  return change;
}

// The centre of the opaque part of the highlight picture, drawn fitted into the chart's
// rectangle: the pictures share the chart's geometry, so that is where its string lies.
QPointF expectedHighlightCentre(const QQuickItem* chart, const QString& pictureName) {
  const QImage picture(qt::QtImages::pathOf(pictureName));
  EXPECT_FALSE(picture.isNull()) << pictureName.toStdString();
  double sx = 0, sy = 0;
  long n = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixelColor(x, y).alpha() > 128) {
        sx += x;
        sy += y;
        ++n;
      }
    }
  }
  const QRectF box = sceneRectOf(chart);
  const double scale = std::min(box.width() / picture.width(), box.height() / picture.height());
  const QPointF origin(box.x() + (box.width() - picture.width() * scale) / 2,
                       box.y() + (box.height() - picture.height() * scale) / 2);
  return n ? QPointF(origin.x() + (sx / n + 0.5) * scale, origin.y() + (sy / n + 0.5) * scale) : QPointF();
}

TEST(ScreenPixels, GivenATunedStringThenTheLampsTurnGreenAndTheHighlightLiesOnThatStringOfTheChart) {
  struct Tuned {
    int tuning;
    float hertz;
  };
  // Strings 1 and 2 of tuning 1, strings 1 to 3 of tuning 4.
  const Tuned cases[] = {{1, 440.0f}, {1, 329.6f}, {4, 146.8f}, {4, 110.0f}, {4, 82.4f}};
  for (const char* layout : app::kLayoutNames) {
    for (const auto& tuned : cases) {
      SCOPED_TRACE(std::string(layout) + " tuning " + std::to_string(tuned.tuning) + " at " + std::to_string(tuned.hertz));
      TunerRig tuner(rig::deviceFor(layout));
      ASSERT_NE(tuner.screen(), nullptr);
      rig::stepToTuning(tuner, tuned.tuning);
      tuner.tick(0.0f, 0.0f);
      const QImage silent = tuner.grab();
      EXPECT_TRUE(isYellow(centreColour(silent, tuner.item("LEDDisplay128"))));
      EXPECT_TRUE(isYellow(centreColour(silent, tuner.item("LEDDisplay"))));

      tuner.tick(rig::kLoudPower, tuned.hertz);
      const QImage lit = tuner.grab();
      EXPECT_TRUE(isGreen(centreColour(lit, tuner.item("LEDDisplay128"))));
      EXPECT_TRUE(isGreen(centreColour(lit, tuner.item("LEDDisplay"))));

      const QString outlet = tuner.screen()->connectedOutlets().filter(QStringLiteral("tunedString")).value(0);
      const auto* view = qobject_cast<qt::QtImageView*>(tuner.screen()->property(outlet.toLatin1()).value<QObject*>());
      ASSERT_NE(view, nullptr);
      ASSERT_FALSE(view->imageName().isEmpty()) << "no highlight picture chosen";

      const QRect chartArea = sceneRectOf(tuner.item("chartDisplay")).toAlignedRect();
      const Change change = changeWithin(silent, lit, chartArea);
      EXPECT_GT(change.count, 50) << "the highlight is not drawn";
      const QPointF expected = expectedHighlightCentre(tuner.item("chartDisplay"), view->imageName());
      EXPECT_NEAR(change.meanX, expected.x(), 3.0);
      // Vertically the glow blends into the wood in places; its middle still lies near the picture's.
      EXPECT_NEAR(change.meanY, expected.y(), 0.05 * chartArea.height());
      // Nothing below the chart changes.
      const int below = int(sceneRectOf(tuner.item("firstFreqButton")).top());
      EXPECT_EQ(changeWithin(silent, lit, QRect(0, below, lit.width(), lit.height() - below)).count, 0);
    }
  }
}

}  // namespace
}  // namespace balalaika
