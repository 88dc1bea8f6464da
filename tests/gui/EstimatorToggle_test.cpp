#include <gtest/gtest.h>

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include "TunerRig.h"
#include "app/EstimatorSwitch.h"
#include "platform/qt/QtEstimatorToggle.h"

namespace balalaika {
namespace {

// The switch of the precise estimate at the top of the links panel, on small and large screens.
class EstimatorToggle : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    QQuickItem* panel = tuner.item(QStringLiteral("linksPanel"));
    ASSERT_NE(panel, nullptr);
    qmlEngine(panel)->rootContext()->setContextProperty(QStringLiteral("pitchEstimator"), &toggle);
  }

  bool tap(const char* objectName) {
    tuner.settle();
    QQuickItem* item = tuner.item(QString::fromLatin1(objectName));
    if (!item || !item->isVisible()) return false;
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(tuner.quickWindow(), Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    return true;
  }

  rig::TunerRig tuner{rig::deviceFor(GetParam())};
  fakes::InMemoryUserDefaults defaults;
  rig::ScriptedPitch spectral, precise;
  app::EstimatorSwitch estimator{defaults, spectral, precise, std::nullopt};
  qt::QtEstimatorToggle toggle{[this] { return estimator.precise(); },
                               [this](bool on) { estimator.setPrecise(on); }};
};

TEST_P(EstimatorToggle, GivenTheLinksPanelWhenTheSwitchIsTappedThenTheChoiceFlipsIsStoredAndThePanelStaysOpen) {
  ASSERT_TRUE(tap("moreAppsButton"));
  QQuickItem* row = tuner.item(QStringLiteral("preciseEstimatorToggle"));
  ASSERT_NE(row, nullptr);
  ASSERT_TRUE(row->isVisible());
  EXPECT_TRUE(row->property("title").toString().endsWith(QStringLiteral("Precise pitch (no octave jumps)")));
  QQuickItem* panel = tuner.item(QStringLiteral("linksPanel"));
  const QRectF onPanel = row->mapRectToItem(panel, QRectF(0, 0, row->width(), row->height()));
  EXPECT_TRUE(QRectF(0, 0, panel->width(), panel->height()).contains(onPanel)) << "the switch fits the screen";

  ASSERT_TRUE(tap("preciseEstimatorToggle"));
  EXPECT_TRUE(estimator.precise());
  EXPECT_EQ(defaults.boolForKey(app::EstimatorSwitch::kPreciseEstimatorKey), true);
  EXPECT_TRUE(panel->isVisible());
  ASSERT_TRUE(tap("preciseEstimatorToggle"));
  EXPECT_FALSE(estimator.precise());
  EXPECT_EQ(defaults.boolForKey(app::EstimatorSwitch::kPreciseEstimatorKey), false);
}

INSTANTIATE_TEST_SUITE_P(SmallAndLargeScreens, EstimatorToggle,
                         ::testing::Values("Main_iPhone4s", "Main_iPhone12ProMax", "Main_iPad_Pro"));

}  // namespace
}  // namespace balalaika
