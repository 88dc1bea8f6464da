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
    for (int x = inside.left(); x <= inside.right(); ++x) {
      hits += colour(image.pixel(x, y)) ? 1 : 0;
      ++all;
    }
  }
  return all != 0 ? static_cast<double>(hits) / static_cast<double>(all) : 0.0;
}

// The pixels that differ between two pictures of one size inside area: how many, and their mean x.
struct Change {
  long count = 0;
  double meanX = 0.0;
};

Change changeWithin(const QImage& before, const QImage& after, const QRect& area) {
  Change change;
  const QRect inside = area.intersected(before.rect()).intersected(after.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QRgb a = before.pixel(x, y), b = after.pixel(x, y);
      if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 60) {
        ++change.count;
        change.meanX += x;
      }
    }
  }
  if (change.count != 0) change.meanX /= static_cast<double>(change.count);
  return change;
}

// Where the lamp and the chart lie in the default device's layout, and how the first string's
// highlight changes the chart, from the same layout rendered in-process; in points of the screen.
struct Landmarks {
  QRectF lamp;
  QRectF chart;
  double firstStringX = 0.0;  // mean x of the highlight's pixels
  double width = 0.0;         // of the whole screen
};

Landmarks landmarksOfDefaultDevice() {
  rig::TunerRig tuner(platform::defaultEmulatedDevice());
  Landmarks marks;
  const auto rectOf = [&](const char* name) {
    const QQuickItem* item = tuner.item(QString::fromLatin1(name));
    return item ? item->mapRectToScene(QRectF(0, 0, item->width(), item->height())) : QRectF();
  };
  marks.lamp = rectOf("LEDDisplay");
  marks.chart = rectOf("chartDisplay");
  tuner.tick(0.0f, 0.0f);
  const QImage silent = tuner.grab();
  tuner.tick(rig::kLoudPower, 440.0f);
  const QImage lit = tuner.grab();
  marks.width = silent.width();
  marks.firstStringX = changeWithin(silent, lit, marks.chart.toAlignedRect()).meanX;
  return marks;
}

QRect scaled(const QRectF& r, double k) {
  return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k).toAlignedRect();
}

class OffscreenWindow : public ::testing::Test {
 protected:
  // Runs the tuner in an offscreen window on a recording and saves the window after `seconds`.
  QImage screenshotAfter(const synth::Score& score, const char* seconds) {
    const QString name = QStringLiteral("shot%1").arg(++shots_);
    const QString file = writeRecording(folder_.path(), name + QStringLiteral(".wav"), score);
    const QString picture = folder_.path() + QLatin1Char('/') + name + QStringLiteral(".png");
    EXPECT_FALSE(file.isEmpty());
    SettingsFolder settings;
    const RunResult run = runTuner({QStringLiteral("--input"), file, QStringLiteral("--quit-after"),
                                    QString::fromLatin1(seconds), QStringLiteral("--screenshot"), picture},
                                   tunerEnvironment(settings, Display::Offscreen), 30000);
    EXPECT_TRUE(run.finished && run.normalExit && run.exitCode == 0) << run.describe();
    EXPECT_TRUE(run.out.isEmpty()) << "a window prints no screen lines\n" << run.describe();
    return QImage(picture).convertToFormat(QImage::Format_RGB32);
  }

 private:
  QTemporaryDir folder_;
  int shots_ = 0;
};

TEST_F(OffscreenWindow, GivenAnInTuneA4ThenTheSavedWindowShowsTheGreenLampAndTheLitFirstString) {
  rig::ensureGuiApplication();
  synth::Score silence;
  silence.seconds = 4.0;
  synth::Score note;
  note.seconds = 8.0;
  note.plucks = {heldPluck(440.0, 0.3, 7.5)};
  const QImage silent = screenshotAfter(silence, "2.5");
  const QImage tuned = screenshotAfter(note, "2.5");
  ASSERT_FALSE(silent.isNull());
  ASSERT_FALSE(tuned.isNull());
  ASSERT_EQ(silent.size(), tuned.size());

  const Landmarks marks = landmarksOfDefaultDevice();
  ASSERT_FALSE(marks.lamp.isEmpty());
  ASSERT_FALSE(marks.chart.isEmpty());
  const double k = tuned.width() / marks.width;  // the window may be scaled to fit the desktop
  const QRect lamp = scaled(marks.lamp, k);
  // The lamp pictures have soft edges: compare the two states rather than expect pure colours.
  const double yellowWhenSilent = shareOf(silent, lamp, isYellow), greenWhenSilent = shareOf(silent, lamp, isGreen);
  const double yellowWhenTuned = shareOf(tuned, lamp, isYellow), greenWhenTuned = shareOf(tuned, lamp, isGreen);
  EXPECT_GT(yellowWhenSilent, 0.2) << "silent: the lamp is yellow";
  EXPECT_GT(greenWhenTuned, 0.2) << "tuned: the lamp is green";
  EXPECT_LT(greenWhenSilent, greenWhenTuned / 5);
  EXPECT_LT(yellowWhenTuned, yellowWhenSilent / 5);

  const QRect chart = scaled(marks.chart, k);
  const Change lit = changeWithin(silent, tuned, chart);
  EXPECT_GT(lit.count, 50 * k * k) << "no string lit on the chart";
  EXPECT_NEAR(lit.meanX, marks.firstStringX * k, 0.05 * chart.width()) << "the lit string is not the first";
}

}  // namespace
}  // namespace balalaika::e2e
