#include <gtest/gtest.h>

#include <QQuickItem>
#include <QQuickWindow>
#include <vector>

#include "TunerRig.h"
#include "platform/qt/Language.h"

namespace balalaika {
namespace {

using rig::TunerRig;

// Every element a person looks at or taps, by objectName.
const char* const kElements[] = {
    "showPreviousTuningButton", "LEDDisplay", "currentTuningName", "showNextTuningButton", "LEDDisplay128",
    "noteDisplay", "freq_label", "chartDisplay", "thirdString", "secondString", "firstString",
    "firstFreqButton", "secondFreqButton", "thirdFreqButton", "stopFreqPlay", "tfnoteDisplay", "tfFreqLabel",
    "aboutCongratsMessage", "aboutMsg2", "makerSiteLink", "reviewThisAppLink", "moreAppsButton",
    "centsMeter", "tuneCue", "centsLabel", "concertPitchDown", "concertPitchLabel", "concertPitchUp",
    "listenForAButton", "preciseSwitch", "unisonButton", "aidMessage"};

QRectF sceneRect(const QQuickItem* item) { return item->mapRectToScene(QRectF(0, 0, item->width(), item->height())); }

// Every visible element inside the window, its text within its box, no two overlapping, and each
// reference button under its own string's note, named after it.
void expectTidy(const TunerRig& tuner, const std::string& where) {
  SCOPED_TRACE(where);
  const QRectF window(QPointF(0, 0), QSizeF(tuner.quickWindow()->size()));
  std::vector<std::pair<std::string, QRectF>> placed;
  for (const char* name : kElements) {
    const QQuickItem* item = tuner.item(QString::fromLatin1(name));
    ASSERT_NE(item, nullptr) << name;
    if (!item->isVisible()) continue;
    const QRectF rect = sceneRect(item);
    EXPECT_TRUE(window.contains(rect) && !rect.isEmpty()) << name << " leaves the window or has no size";
    if (item->property("contentWidth").isValid() && item->property("text").isValid()) {
      EXPECT_LE(item->property("contentWidth").toDouble(), item->width() + 1) << name << " text too wide";
      EXPECT_LE(item->property("contentHeight").toDouble(), item->height() + 1) << name << " text too tall";
    }
    for (const auto& [other, otherRect] : placed) {
      const QRectF overlap = rect.intersected(otherRect);
      EXPECT_TRUE(overlap.isEmpty() || overlap.width() * overlap.height() < 0.5) << name << " overlaps " << other;
    }
    placed.emplace_back(name, rect);
  }
  EXPECT_GE(placed.size(), 18u);
  for (const auto& [buttonName, labelName] : {std::pair{"firstFreqButton", "firstString"},
                                              {"secondFreqButton", "secondString"}, {"thirdFreqButton", "thirdString"}}) {
    const QQuickItem* button = tuner.item(QString::fromLatin1(buttonName));
    const QQuickItem* label = tuner.item(QString::fromLatin1(labelName));
    if (!button->isVisible()) continue;
    const QRectF b = sceneRect(button), l = sceneRect(label);
    EXPECT_TRUE(b.center().x() >= l.left() && b.center().x() <= l.right() && b.top() >= l.bottom() &&
                button->property("title").toString() == label->property("text").toString())
        << buttonName;
  }
}

TEST(ScreenGeometry, GivenEveryListedDeviceLanguageAndTuningThenTheScreenIsTidy) {
  rig::ensureGuiApplication();
  EXPECT_EQ(TunerRig({platform::kIdiomOther, {390, 844}}).window(), nullptr) << "no window for another idiom";
  std::vector<platform::EmulatedDevice> devices;
  for (const auto& size : platform::phoneScreenSizes()) devices.push_back({platform::kIdiomPhone, size});
  for (const auto& size : platform::padScreenSizes()) devices.push_back({platform::kIdiomPad, size});
  for (const char* language : {"en", "es", "ru"}) {
    ASSERT_TRUE(qt::installLanguage(QString::fromLatin1(language)));
    for (const auto& device : devices) {
      const QSize size(int(device.size.width), int(device.size.height));
      const std::string where = std::string(language) + " " + std::to_string(size.width()) + "x" + std::to_string(size.height());
      TunerRig tuner(device);
      ASSERT_NE(tuner.screen(), nullptr) << where;
      EXPECT_EQ(tuner.quickWindow()->size(), size);
      tuner.tick(0.0f, 0.0f);
      expectTidy(tuner, where + " silent");
      // The aids at their longest: a pitch off the half-hertz grid, a string locked and the
      // unison check asking for a string.
      for (int i = 0; i < 7; ++i) tuner.controller().stepConcertPitch(-1);
      tuner.screen()->toggleLock(2);
      tuner.controller().toggleUnisonCheck();
      ASSERT_GT(tuner.item(QStringLiteral("aidMessage"))->property("text").toString().size(), 12) << where;
      expectTidy(tuner, where + " aids in use");
      tuner.controller().toggleUnisonCheck();
      for (int tuning = 1; tuning <= 5; ++tuning) {
        tuner.controller().playA440Hz();
        tuner.tick(rig::kLoudPower, 440.0f);
        expectTidy(tuner, where + " tone playing, tuning " + std::to_string(tuning));
        // The lowest string of the tuning 30 cents flat: the meter, its number and "tune up".
        const float lowest[] = {329.6f, 220.0f, 164.8f, 82.4f, 41.2f};
        tuner.tick(rig::kLoudPower, lowest[tuning - 1] * 0.9828f);
        ASSERT_GT(tuner.item(QStringLiteral("tuneCue"))->property("text").toString().size(), 2) << where;
        expectTidy(tuner, where + " string flat, tuning " + std::to_string(tuning));
        tuner.controller().showNextTuning();
      }
    }
  }
  qt::installLanguage(QStringLiteral("en"));
}

}  // namespace
}  // namespace balalaika
