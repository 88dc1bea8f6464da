#include <gtest/gtest.h>

#include <QImage>
#include <QQuickItem>
#include <QQuickWindow>

#include "TunerRig.h"
#include "e2e/TunerProcess.h"
#include "support/PixelChange.h"

namespace balalaika::e2e {
namespace {

using testing::changeWithin, testing::isGreen, testing::isYellow, testing::shareOf;

// The tuner in an offscreen window on a recording, saved on quitting after 2.5 s.
QImage screenshotOf(const QTemporaryDir& dir, const synth::Score& score, const QString& name) {
  const QString file = writeRecording(dir.path(), name + QStringLiteral(".wav"), score);
  const QString picture = dir.filePath(name + QStringLiteral(".png"));
  SettingsFolder settings;
  const RunResult run = runTuner({QStringLiteral("--input"), file, QStringLiteral("--quit-after"), QStringLiteral("2.5"),
                                  QStringLiteral("--screenshot"), picture},
                                 tunerEnvironment(settings, Display::Offscreen));
  EXPECT_TRUE(run.ok()) << run.describe();
  EXPECT_TRUE(run.out.isEmpty()) << "a window prints no screen lines\n" << run.describe();
  return QImage(picture).convertToFormat(QImage::Format_RGB32);
}

// The lamp and the chart are found on the same layout rendered in-process; the window may be
// scaled down to fit the desktop.
TEST(OffscreenWindow, GivenAnInTuneA4ThenTheSavedWindowShowsTheGreenLampAndALitString) {
  rig::ensureGuiApplication();
  QTemporaryDir dir;
  const QImage silent = screenshotOf(dir, {.seconds = 4.0, .plucks = {}}, QStringLiteral("silent"));
  const QImage tuned = screenshotOf(dir, {.seconds = 8.0, .plucks = {heldPluck(440.0, 0.3, 7.5)}}, QStringLiteral("tuned"));
  ASSERT_TRUE(!silent.isNull() && silent.size() == tuned.size());

  rig::TunerRig tuner(platform::defaultEmulatedDevice());
  tuner.settle();
  const double k = tuned.width() / static_cast<double>(tuner.quickWindow()->width());
  const auto area = [&](const char* name) {
    const QQuickItem* item = tuner.item(QString::fromLatin1(name));
    const QRectF r = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k).toAlignedRect();
  };
  const QRect lamp = area("LEDDisplay");
  // The lamp pictures have soft edges: compare the two states rather than expect pure colours.
  EXPECT_GT(shareOf(silent, lamp, isYellow), 0.2);
  EXPECT_GT(shareOf(tuned, lamp, isGreen), 0.2);
  EXPECT_LT(shareOf(silent, lamp, isGreen), shareOf(tuned, lamp, isGreen) / 5);
  EXPECT_LT(shareOf(tuned, lamp, isYellow), shareOf(silent, lamp, isYellow) / 5);
  // Where on the chart the highlight lies is checked in-process on every layout.
  EXPECT_GT(changeWithin(silent, tuned, area("chartDisplay")).count, 50 * k * k) << "no string lit on the chart";
}

}  // namespace
}  // namespace balalaika::e2e
