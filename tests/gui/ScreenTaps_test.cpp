#include <gtest/gtest.h>

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QQuickItem>
#include <QTest>

#include "TunerRig.h"
#include "app/EstimatorSwitch.h"
#include "platform/qt/QtEstimatorToggle.h"
#include "tones/ToneGenerator.h"
#include "tuner/OutboundLinks.h"
#include "tuner/TuningTable.h"

namespace balalaika {
namespace {

class ScreenTaps : public ::testing::TestWithParam<const char*> {
 protected:
  rig::TunerRig tuner{rig::deviceFor(GetParam())};

  // A finger on the middle of the element; false when it is not there to be tapped.
  bool tap(const std::string& objectName) {
    tuner.settle();
    QQuickItem* item = tuner.item(QString::fromStdString(objectName));
    if (!item || !item->isVisible()) return false;
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(tuner.quickWindow(), Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    return true;
  }
  QString textOf(const char* objectName) { return tuner.item(QString::fromLatin1(objectName))->property("text").toString(); }
  bool visible(const char* objectName) { return tuner.item(QString::fromLatin1(objectName))->isVisible(); }
};

TEST_P(ScreenTaps, GivenTuningOneWhenNextIsTappedFourTimesThenTuningFiveShowsAndPreviousLeadsBack) {
  EXPECT_FALSE(visible("showPreviousTuningButton"));
  QStringList titles{textOf("currentTuningName")};
  for (const int expected : {2, 3, 4, 5, 4, 3, 2, 1}) {
    ASSERT_TRUE(tap(expected > tuning::currentTuning() ? "showNextTuningButton" : "showPreviousTuningButton"));
    EXPECT_EQ(tuning::currentTuning(), expected);
    titles << textOf("currentTuningName");
    EXPECT_TRUE(expected != 5 || !tap("showNextTuningButton")) << "no way past tuning 5";
  }
  titles.removeDuplicates();
  EXPECT_EQ(titles.size(), 5) << "each tuning has its own title";
  EXPECT_FALSE(visible("showPreviousTuningButton"));
  EXPECT_FALSE(visible("thirdFreqButton"));
}

TEST_P(ScreenTaps, GivenAReferenceButtonWhenTappedThenItsToneSoundsUntilStopIsTapped) {
  ASSERT_TRUE(tap("secondFreqButton"));
  EXPECT_TRUE(tuner.generator().isPlaying());
  EXPECT_DOUBLE_EQ(tuner.generator().frequency(), 329.6);
  EXPECT_EQ(textOf("tfnoteDisplay") + textOf("tfFreqLabel"), QStringLiteral("E4329.6Hz"));
  ASSERT_TRUE(tuner.output.unit() && tuner.output.unit()->started());

  ASSERT_TRUE(tap("stopFreqPlay"));
  EXPECT_FALSE(tuner.generator().isPlaying());
  EXPECT_EQ(tuner.output.unit(), nullptr);
  EXPECT_EQ(textOf("tfnoteDisplay"), QString());
}

TEST_P(ScreenTaps, GivenTheLinksAndTheEstimatorSwitchWhenTappedThenEachLinkOpensOnceAndTheSwitchFlipsTheStoredChoice) {
  fakes::InMemoryUserDefaults defaults;
  rig::ScriptedPitch spectral, precise;
  app::EstimatorSwitch estimator{defaults, spectral, precise, std::nullopt};
  qt::QtEstimatorToggle toggle{[&] { return estimator.precise(); }, [&](bool on) { estimator.setPrecise(on); }};
  QQuickItem* panel = tuner.item(QStringLiteral("linksPanel"));
  qmlEngine(panel)->rootContext()->setContextProperty(QStringLiteral("pitchEstimator"), &toggle);
  ASSERT_TRUE(tap("makerSiteLink"));
  ASSERT_TRUE(tap("reviewThisAppLink"));

  // The switch fits the screen, flips and stores the choice, and leaves the list of links open.
  ASSERT_TRUE(tap("moreAppsButton"));
  QQuickItem* toggleRow = tuner.item(QStringLiteral("preciseEstimatorToggle"));
  ASSERT_TRUE(toggleRow && toggleRow->isVisible());
  const QRectF onPanel = toggleRow->mapRectToItem(panel, QRectF(0, 0, toggleRow->width(), toggleRow->height()));
  EXPECT_TRUE(QRectF(0, 0, panel->width(), panel->height()).contains(onPanel)) << "the switch fits the screen";
  for (const bool expected : {true, false}) {
    ASSERT_TRUE(tap("preciseEstimatorToggle"));
    EXPECT_TRUE(estimator.precise() == expected && panel->isVisible());
    EXPECT_EQ(defaults.boolForKey(app::EstimatorSwitch::kPreciseEstimatorKey), expected);
  }
  // Closing the list opens nothing and the tap does not reach the screen beneath.
  ASSERT_TRUE(tap("closeLinksButton"));
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(tuning::currentTuning(), 1);

  // The last link of the list, scrolled into view as a finger would.
  const links::OutboundLink& last = links::outboundLinks().back();
  ASSERT_TRUE(tap("moreAppsButton"));
  QQuickItem* row = tuner.item(QString::fromStdString("link_" + last.actionName));
  ASSERT_NE(row, nullptr);
  auto* list = row->parentItem()->parentItem()->parentItem();  // column -> content item -> flickable
  list->setProperty("contentY", std::max(0.0, list->property("contentHeight").toDouble() - list->height()));
  ASSERT_LE(row->mapToItem(list, QPointF(0, 0)).y(), list->height() - row->height() + 0.5);
  ASSERT_TRUE(tap("link_" + last.actionName));
  EXPECT_FALSE(panel->isVisible()) << "a tap on a link closes the list";
  EXPECT_EQ(tuner.urlOpener.opened,
            (std::vector<std::string>{links::outboundLink(links::LinkAction::RedirectToMakerSite).address,
                                      links::outboundLink(links::LinkAction::ReviewThisApp).address, last.address}));
}

TEST_P(ScreenTaps, GivenTheTuningAidsWhenTappedThenPitchLockUnisonCheckAndPreciseSwitchRespond) {
  ASSERT_TRUE(tap("concertPitchUp") && tap("concertPitchUp") && tap("concertPitchDown"));
  EXPECT_EQ(textOf("concertPitchLabel"), QStringLiteral("A4 = 440.5 Hz"));
  EXPECT_EQ(tuner.controller().concertPitch(), 440.5);

  // Names under the chart, left to right: strings 3, 2, 1.
  for (const auto& [label, string] : {std::pair{"firstString", 1}, {"thirdString", 3}}) {
    ASSERT_TRUE(tap(label));
    EXPECT_EQ(tuner.controller().lockedString(), string) << label;
    EXPECT_TRUE(visible((std::string(label) + "Lock").c_str())) << label;
  }
  EXPECT_FALSE(visible("firstStringLock"));
  EXPECT_TRUE(textOf("aidMessage").startsWith(QStringLiteral("Locked: E4")));
  ASSERT_TRUE(tap("thirdString"));
  EXPECT_EQ(tuner.controller().lockedString(), std::nullopt);

  ASSERT_TRUE(tap("unisonButton"));
  EXPECT_EQ(textOf("aidMessage"), QStringLiteral("Unison: pluck string 2"));
  ASSERT_TRUE(tap("unisonButton"));
  EXPECT_EQ(tuner.controller().unisonStage(), unison::UnisonCheck::Stage::Idle);
  ASSERT_TRUE(tap("listenForAButton"));
  EXPECT_EQ(textOf("aidMessage"), QStringLiteral("Play an A and hold it…"));

  fakes::InMemoryUserDefaults defaults;
  rig::ScriptedPitch spectral, precise;
  app::EstimatorSwitch estimator{defaults, spectral, precise, std::nullopt};
  qt::QtEstimatorToggle toggle{[&] { return estimator.precise(); }, [&](bool on) { estimator.setPrecise(on); }};
  qmlEngine(tuner.item(QStringLiteral("preciseSwitch")))->rootContext()->setContextProperty(QStringLiteral("pitchEstimator"), &toggle);
  ASSERT_TRUE(tap("preciseSwitch"));
  EXPECT_TRUE(estimator.precise());
}

INSTANTIATE_TEST_SUITE_P(SmallMiddleAndLargeScreens, ScreenTaps,
                         ::testing::Values("Main_iPhone4s", "Main_iPhone12Pro", "Main_iPhone12ProMax", "Main_iPad",
                                           "Main_iPad_Pro"));

}  // namespace
}  // namespace balalaika
