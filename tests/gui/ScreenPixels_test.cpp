#include <gtest/gtest.h>

#include <QQuickItem>
#include <algorithm>

#include "ScreenshotStates.h"
#include "TunerRig.h"
#include "app/LayoutTable.h"
#include "platform/qt/QtImages.h"
#include "platform/qt/QtViews.h"
#include "support/PixelChange.h"

namespace balalaika {
namespace {

using testing::changeWithin;

QRectF sceneRectOf(const QQuickItem* item) { return item->mapRectToScene(QRectF(0, 0, item->width(), item->height())); }

// The centre of the opaque part of the highlight picture, drawn fitted into the chart's
// rectangle: the pictures share the chart's geometry, so that is where its string lies.
QPointF expectedHighlightCentre(const QQuickItem* chart, const QString& pictureName) {
  const QImage picture(qt::QtImages::pathOf(pictureName));
  EXPECT_FALSE(picture.isNull()) << pictureName.toStdString();
  double sx = 0, sy = 0;
  long n = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixelColor(x, y).alpha() > 128) sx += x, sy += y, ++n;
  const QRectF box = sceneRectOf(chart);
  const double scale = std::min(box.width() / picture.width(), box.height() / picture.height());
  const QPointF origin(box.x() + (box.width() - picture.width() * scale) / 2,
                       box.y() + (box.height() - picture.height() * scale) / 2);
  return n ? QPointF(origin.x() + (sx / n + 0.5) * scale, origin.y() + (sy / n + 0.5) * scale) : QPointF();
}

TEST(ScreenPixels, GivenATunedStringThenTheHighlightLiesOnThatStringOfTheChartAndNothingBelowChanges) {
  // Strings 1 and 2 of tuning 1, strings 1 to 3 of tuning 4.
  const std::pair<int, float> cases[] = {{1, 440.0f}, {1, 329.6f}, {4, 146.8f}, {4, 110.0f}, {4, 82.4f}};
  for (const char* layout : app::kLayoutNames) {
    for (const auto& [tuning, hertz] : cases) {
      SCOPED_TRACE(std::string(layout) + " tuning " + std::to_string(tuning) + " at " + std::to_string(hertz));
      rig::TunerRig tuner(rig::deviceFor(layout));
      ASSERT_NE(tuner.screen(), nullptr);
      rig::stepToTuning(tuner, tuning);
      tuner.tick(0.0f, 0.0f);
      const QImage silent = tuner.grab();
      tuner.tick(rig::kLoudPower, hertz);
      const QImage lit = tuner.grab();

      const QString outlet = tuner.screen()->connectedOutlets().filter(QStringLiteral("tunedString")).value(0);
      const auto* view = qobject_cast<qt::QtImageView*>(tuner.screen()->property(outlet.toLatin1()).value<QObject*>());
      ASSERT_TRUE(view && !view->imageName().isEmpty()) << "no highlight picture chosen";

      const QRect chartArea = sceneRectOf(tuner.item("chartDisplay")).toAlignedRect();
      const auto change = changeWithin(silent, lit, chartArea);
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
