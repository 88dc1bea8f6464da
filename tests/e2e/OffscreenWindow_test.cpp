#include <gtest/gtest.h>

#include <QImage>
#include <QQuickItem>
#include <QTemporaryDir>
#include <cmath>

#include "TunerRig.h"
#include "e2e/Recordings.h"
#include "e2e/TunerProcess.h"

namespace balalaika::e2e {
namespace {

bool isGreen(QRgb c) { return qGreen(c) > qRed(c) + 40 && qGreen(c) > qBlue(c) + 40; }
bool isYellow(QRgb c) { return qRed(c) > 140 && qGreen(c) > 110 && qBlue(c) < qGreen(c) - 60; }

// Share of the pixels inside area that pass colour.
double shareOf(const QImage& image, const QRect& area, bool (*colour)(QRgb)) {
  long hits = 0, all = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x, ++all) hits += colour(image.pixel(x, y)) ? 1 : 0;
  }
  return all != 0 ? static_cast<double>(hits) / static_cast<double>(all) : 0.0;
}

// Mean x of the pixels that differ between two pictures of one size inside area; NaN when none do.
double meanChangedX(const QImage& before, const QImage& after, const QRect& area, long* count) {
  double sum = 0.0;
  *count = 0;
  const QRect inside = area.intersected(before.rect()).intersected(after.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QRgb a = before.pixel(x, y), b = after.pixel(x, y);
      if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 60) {
        ++*count;
        sum += x;
      }
    }
  }
  return *count != 0 ? sum / static_cast<double>(*count) : std::nan("");
}

// The tuner in an offscreen window on a recording, saved on quitting after 2.5 s.
QImage screenshotOf(const QTemporaryDir& dir, const synth::Score& score, const QString& name) {
  const QString file = writeRecording(dir.path(), name + QStringLiteral(".wav"), score);
  const QString picture = dir.filePath(name + QStringLiteral(".png"));
  SettingsFolder settings;
  const RunResult run = runTuner({QStringLiteral("--input"), file, QStringLiteral("--quit-after"), QStringLiteral("2.5"),
                                  QStringLiteral("--screenshot"), picture},
                                 tunerEnvironment(settings, Display::Offscreen), 30000);
  EXPECT_TRUE(run.finished && run.normalExit && run.exitCode == 0) << run.describe();
  EXPECT_TRUE(run.out.isEmpty()) << "a window prints no screen lines\n" << run.describe();
  return QImage(picture).convertToFormat(QImage::Format_RGB32);
}

// The lamp and the chart are found, and the first string's highlight told apart, on the same
// layout rendered in-process; the window may be scaled down to fit the desktop.
TEST(OffscreenWindow, GivenAnInTuneA4ThenTheSavedWindowShowsTheGreenLampAndTheLitFirstString) {
  rig::ensureGuiApplication();
  QTemporaryDir dir;
  synth::Score silence;
  silence.seconds = 4.0;
  synth::Score note;
  note.seconds = 8.0;
  note.plucks = {heldPluck(440.0, 0.3, 7.5)};
  const QImage silent = screenshotOf(dir, silence, QStringLiteral("silent"));
  const QImage tuned = screenshotOf(dir, note, QStringLiteral("tuned"));
  ASSERT_FALSE(silent.isNull() || tuned.isNull());
  ASSERT_EQ(silent.size(), tuned.size());

  rig::TunerRig tuner(platform::defaultEmulatedDevice());
  tuner.tick(0.0f, 0.0f);
  const QImage rigSilent = tuner.grab();
  tuner.tick(rig::kLoudPower, 440.0f);
  const QImage rigLit = tuner.grab();
  const double k = tuned.width() / static_cast<double>(rigLit.width());
  const auto area = [&](const char* name, double scale) {
    const QQuickItem* item = tuner.item(QString::fromLatin1(name));
    const QRectF r = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    return QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale).toAlignedRect();
  };
  const QRect lamp = area("LEDDisplay", k), chart = area("chartDisplay", k);
  // The lamp pictures have soft edges: compare the two states rather than expect pure colours.
  EXPECT_GT(shareOf(silent, lamp, isYellow), 0.2) << "silent: the lamp is yellow";
  EXPECT_GT(shareOf(tuned, lamp, isGreen), 0.2) << "tuned: the lamp is green";
  EXPECT_LT(shareOf(silent, lamp, isGreen), shareOf(tuned, lamp, isGreen) / 5);
  EXPECT_LT(shareOf(tuned, lamp, isYellow), shareOf(silent, lamp, isYellow) / 5);

  long lit = 0, rigLitCount = 0;
  const double x = meanChangedX(silent, tuned, chart, &lit);
  const double firstStringX = meanChangedX(rigSilent, rigLit, area("chartDisplay", 1.0), &rigLitCount) * k;
  EXPECT_GT(lit, 50 * k * k) << "no string lit on the chart";
  EXPECT_NEAR(x, firstStringX, 0.05 * chart.width()) << "the lit string is not the first";
}

}  // namespace
}  // namespace balalaika::e2e
