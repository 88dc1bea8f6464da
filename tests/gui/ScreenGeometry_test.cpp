#include <gtest/gtest.h>

#include <QQuickItem>
#include <QQuickWindow>
#include <QRectF>
#include <vector>

#include "ScreenshotStates.h"
#include "TunerRig.h"
#include "app/LayoutTable.h"
#include "platform/Device.h"
#include "platform/qt/Language.h"

namespace balalaika {
namespace {

using rig::TunerRig;

// Every element a person looks at or taps, by objectName.
const char* const kElements[] = {
    "showPreviousTuningButton", "LEDDisplay", "currentTuningName", "showNextTuningButton", "LEDDisplay128",
    "noteDisplay", "freq_label", "chartDisplay", "thirdString", "secondString", "firstString",
    "firstFreqButton", "secondFreqButton", "thirdFreqButton", "stopFreqPlay", "tfnoteDisplay", "tfFreqLabel",
    "aboutCongratsMessage", "aboutMsg2", "makerSiteLink", "reviewThisAppLink", "moreAppsButton"};

const char* highlightOf(const std::string& layout) {
  if (layout == "Main_iPhone4s") return "tunedString";
  return layout.rfind("Main_iPad", 0) == 0 ? "tunedStringiPad" : "tunedString5";
}

struct Placed {
  QString name;
  QRectF rect;  // window coordinates
};

std::vector<Placed> visibleElements(const TunerRig& tuner) {
  std::vector<Placed> placed;
  for (const char* name : kElements) {
    QQuickItem* item = tuner.item(QString::fromLatin1(name));
    EXPECT_NE(item, nullptr) << name;
    if (!item || !item->isVisible()) continue;
    placed.push_back({QString::fromLatin1(name), item->mapRectToScene(QRectF(0, 0, item->width(), item->height()))});
  }
  return placed;
}

// Inside the window, not overlapping any other element, and texts drawn within their boxes.
void expectTidy(const TunerRig& tuner, const std::string& where) {
  SCOPED_TRACE(where);
  const QRectF window(QPointF(0, 0), QSizeF(tuner.quickWindow()->size()));
  const auto placed = visibleElements(tuner);
  EXPECT_GE(placed.size(), 18u);
  for (const auto& element : placed) {
    EXPECT_TRUE(window.contains(element.rect)) << element.name.toStdString() << " leaves the window";
    EXPECT_GT(element.rect.width(), 0) << element.name.toStdString();
    EXPECT_GT(element.rect.height(), 0) << element.name.toStdString();
    const QQuickItem* item = tuner.item(element.name);
    const QVariant contentWidth = item->property("contentWidth");
    if (contentWidth.isValid() && item->property("text").isValid()) {
      EXPECT_LE(contentWidth.toDouble(), item->width() + 1) << element.name.toStdString() << " text too wide";
      EXPECT_LE(item->property("contentHeight").toDouble(), item->height() + 1)
          << element.name.toStdString() << " text too tall";
    }
  }
  for (std::size_t i = 0; i < placed.size(); ++i) {
    for (std::size_t j = i + 1; j < placed.size(); ++j) {
      const QRectF overlap = placed[i].rect.intersected(placed[j].rect);
      EXPECT_TRUE(overlap.isEmpty() || overlap.width() * overlap.height() < 0.5)
          << placed[i].name.toStdString() << " overlaps " << placed[j].name.toStdString();
    }
  }
  // Tappable controls are big enough for a finger.
  for (const char* control : {"showNextTuningButton", "firstFreqButton", "stopFreqPlay", "moreAppsButton"}) {
    const QQuickItem* item = tuner.item(QString::fromLatin1(control));
    if (item && item->isVisible()) {
      EXPECT_GE(item->height(), 28) << control;
    }
  }
}

TEST(ScreenGeometry, GivenEveryListedDeviceInEachStateThenElementsStayInsideTheWindowWithoutOverlapping) {
  std::vector<platform::EmulatedDevice> devices;
  for (const auto& size : platform::phoneScreenSizes()) devices.push_back({platform::kIdiomPhone, size});
  for (const auto& size : platform::padScreenSizes()) devices.push_back({platform::kIdiomPad, size});
  for (const auto& device : devices) {
    const std::string where = std::to_string(int(device.size.width)) + "x" + std::to_string(int(device.size.height));
    TunerRig tuner(device);
    ASSERT_NE(tuner.screen(), nullptr) << where;
    EXPECT_TRUE(tuner.quickWindow()->isVisible()) << where;
    EXPECT_EQ(tuner.quickWindow()->width(), device.size.width);
    EXPECT_EQ(tuner.quickWindow()->height(), device.size.height);
    tuner.tick(0.0f, 0.0f);
    expectTidy(tuner, where + " silent, tuning 1");
    tuner.controller().playA440Hz();
    tuner.tick(rig::kLoudPower, 329.6f);
    expectTidy(tuner, where + " tuned, tone playing, tuning 1");
    rig::stepToTuning(tuner, 4);
    tuner.tick(rig::kLoudPower, 82.4f);
    expectTidy(tuner, where + " tuned, tuning 4");
  }
}

TEST(ScreenGeometry, GivenEachLayoutThenItConnectsItsOwnHighlightOverlayAndEveryOtherOutlet) {
  for (const char* layout : app::kLayoutNames) {
    SCOPED_TRACE(layout);
    TunerRig tuner(rig::deviceFor(layout));
    ASSERT_NE(tuner.screen(), nullptr);
    EXPECT_EQ(tuner.screen()->layoutName().toStdString(), layout);
    const QStringList connected = tuner.screen()->connectedOutlets();
    EXPECT_EQ(connected.size(), 19);
    for (const char* overlay : {"tunedString", "tunedString5", "tunedStringiPad"}) {
      const bool mine = std::string(overlay) == highlightOf(layout);
      EXPECT_EQ(connected.contains(QString::fromLatin1(overlay)), mine) << overlay;
      EXPECT_EQ(tuner.item(QString::fromLatin1(overlay)) != nullptr, mine) << overlay;
    }
    const auto& outlets = tuner.controller().outlets();
    EXPECT_NE(outlets.freq_label, nullptr);
    EXPECT_NE(outlets.tfFreqLabel, nullptr);
    EXPECT_EQ(outlets.tunedStringiPad != nullptr, std::string(highlightOf(layout)) == "tunedStringiPad");
    // The overlay covers exactly the chart's rectangle.
    const QQuickItem* chart = tuner.item(QStringLiteral("chartDisplay"));
    const QQuickItem* overlay = tuner.item(QString::fromLatin1(highlightOf(layout)));
    ASSERT_TRUE(chart && overlay);
    EXPECT_EQ(chart->mapRectToScene(chart->boundingRect()), overlay->mapRectToScene(overlay->boundingRect()));
  }
}

TEST(ScreenGeometry, GivenLongerTranslatedTextsOnTheSmallestScreensThenTheyStillFitTheirPlaces) {
  rig::ensureGuiApplication();
  for (const char* language : {"ru", "es"}) {
    ASSERT_TRUE(qt::installLanguage(QString::fromLatin1(language)));
    for (const char* layout : {"Main_iPhone4s", "Main_iPhone"}) {
      TunerRig tuner(rig::deviceFor(layout));
      for (int tuning = 1; tuning <= 5; ++tuning) {
        tuner.controller().playA440Hz();
        tuner.tick(rig::kLoudPower, 440.0f);
        expectTidy(tuner, std::string(layout) + " in " + language + ", tuning " + std::to_string(tuning));
        tuner.controller().showNextTuning();
      }
    }
  }
  qt::installLanguage(QStringLiteral("en"));
}

TEST(ScreenGeometry, GivenADeviceOfAnotherIdiomThenNoWindowIsShown) {
  TunerRig tuner({platform::kIdiomOther, {390, 844}});
  EXPECT_EQ(tuner.window(), nullptr);
}

}  // namespace
}  // namespace balalaika
