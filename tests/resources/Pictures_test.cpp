#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <map>

#include "PictureGeometry.h"
#include "PixelProbe.h"

namespace balalaika::testing {
namespace {

using pictures::allPictures;
using pictures::Kind;
using pictures::kStrings;
using pictures::Picture;

std::vector<Picture> picturesOf(Kind kind) {
  std::vector<Picture> result;
  std::copy_if(allPictures().begin(), allPictures().end(), std::back_inserter(result),
               [kind](const Picture& p) { return p.kind == kind; });
  return result;
}

TEST(Pictures, GivenALinkedExecutableThenTheResourcesHoldExactlyTheDescribedPictures) {
  QStringList listed = QDir(QStringLiteral(":/images")).entryList(QDir::Files);
  QStringList described;
  for (const Picture& p : allPictures()) described << QString::fromStdString(p.name);
  listed.sort();
  described.sort();
  EXPECT_EQ(described.size(), 34);
  EXPECT_EQ(listed, described);
}

TEST(Pictures, EveryPictureLoadsAtItsSizeAndChartsAndHighlightsShareTheAspectThreeToFour) {
  for (const Picture& p : allPictures()) {
    const QImage image = resourcePicture(p.name);
    ASSERT_FALSE(image.isNull()) << p.name;
    EXPECT_EQ(image.size(), QSize(p.width, p.height)) << p.name;
    EXPECT_TRUE(image.hasAlphaChannel()) << p.name;
    if (p.kind != Kind::Lamp) {
      EXPECT_EQ(image.width() * 4, image.height() * 3) << p.name;
    }
  }
}

TEST(Pictures, HighlightsOfSmallPhonesMatchThePhoneChartAndTheOthersTheTabletChart) {
  const QSize phoneChart = resourcePicture("chartiphone.png").size();
  const QSize tabletChart = resourcePicture("chartipad.png").size();
  const std::map<std::string, QSize> chartOfClass{
      {"", phoneChart}, {"_5", phoneChart}, {"_6", tabletChart}, {"_6plus", tabletChart}, {"_iPad", tabletChart}};
  for (const auto& [suffix, chartSize] : chartOfClass) {
    for (const std::string stem : {"1st_string", "2nd_string", "3rd_string"}) {
      EXPECT_EQ(resourcePicture(stem + suffix + ".png").size(), chartSize) << stem << suffix;
    }
    EXPECT_EQ(resourcePicture("2nd_string" + suffix + "_b.png").size(), chartSize) << suffix;
  }
}

TEST(Pictures, LampsAreRoundWithAYellowOrAGreenLens) {
  for (const Picture& p : picturesOf(Kind::Lamp)) {
    const QImage image = resourcePicture(p.name);
    const int last = image.width() - 1;
    for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
      EXPECT_EQ(alphaAt(image, x, y), 0) << p.name << " corner " << x << "," << y;
    }
    const QColor lens(image.pixel(image.width() / 2, image.height() * 6 / 10));
    EXPECT_EQ(lens.alpha(), 255) << p.name;
    EXPECT_GT(lens.hsvSaturation(), 150) << p.name;
    if (p.lamp == pictures::LampColour::Yellow) {
      EXPECT_TRUE(lens.hsvHue() >= 38 && lens.hsvHue() <= 62) << p.name << " hue " << lens.hsvHue();
    } else {
      EXPECT_TRUE(lens.hsvHue() >= 100 && lens.hsvHue() <= 150) << p.name << " hue " << lens.hsvHue();
    }
  }
}

// Over the fingerboard (design y 70..210) the strings are light lines on dark wood.
constexpr double kBoardTop = 70.0;
constexpr double kBoardBottom = 210.0;

int lighterOfColumns(const QImage& image, double x, int row) {
  const auto [left, right] = columnsAt(image, x);
  return std::max(lightnessAt(image, left, row), lightnessAt(image, right, row));
}

TEST(Pictures, ChartsDrawEachStringAtItsDescribedPositionOverTheFingerboard) {
  for (const Picture& p : picturesOf(Kind::Chart)) {
    const QImage image = resourcePicture(p.name);
    const int top = rowAt(image, kBoardTop), bottom = rowAt(image, kBoardBottom);
    const int rows = bottom - top;
    for (std::size_t i = 0; i < kStrings.size(); ++i) {
      int light = 0;
      for (int row = top; row < bottom; ++row) light += lighterOfColumns(image, kStrings[i].x, row) > 140;
      EXPECT_EQ(light, rows) << p.name << " string " << i + 1;
    }
    // Halfway between neighbouring strings only the frets are light.
    for (double between : {(kStrings[0].x + kStrings[1].x) / 2, (kStrings[1].x + kStrings[2].x) / 2}) {
      int light = 0;
      for (int row = top; row < bottom; ++row) light += lighterOfColumns(image, between, row) > 140;
      EXPECT_LT(light, rows * 3 / 10) << p.name << " at x " << between;
    }
  }
}

TEST(Pictures, ChartChipsCarryARenderedNoteName) {
  for (const Picture& p : picturesOf(Kind::Chart)) {
    const QImage image = resourcePicture(p.name);
    const double s = scaleOf(image);
    for (std::size_t i = 0; i < kStrings.size(); ++i) {
      const double r = 0.6 * pictures::kChipRadius * s;
      const double cx = kStrings[i].x * s, cy = pictures::kChipCentreY * s;
      int ink = 0;
      for (int y = static_cast<int>(cy - r); y <= static_cast<int>(cy + r); ++y) {
        for (int x = static_cast<int>(cx - r); x <= static_cast<int>(cx + r); ++x) {
          ink += lightnessAt(image, x, y) < 90;
        }
      }
      EXPECT_GE(ink, 15 * s * s) << p.name << " chip " << i + 1;
    }
  }
}

bool insideUnisonMark(double ux, double uy, double tolerance) {
  const auto& a = pictures::kUnisonMarkArea;
  return ux >= a.left - tolerance && ux <= a.right + tolerance && uy >= a.top - tolerance &&
         uy <= a.bottom + tolerance;
}

TEST(Pictures, EachHighlightIsTransparentExceptAroundItsOneString) {
  for (const Picture& p : picturesOf(Kind::Highlight)) {
    const QImage image = resourcePicture(p.name);
    const double s = scaleOf(image);
    const double tolerance = 1.0 / s;  // one pixel of antialiasing
    const double lit = kStrings[static_cast<std::size_t>(p.string - 1)].x;
    int stray = 0, markPixels = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (alphaAt(image, x, y) <= 16) continue;
        const double ux = (x + 0.5) / s, uy = (y + 0.5) / s;
        if (std::abs(ux - lit) <= pictures::kLitHalfWidth + tolerance) continue;
        if (p.unison && insideUnisonMark(ux, uy, tolerance)) {
          ++markPixels;
          continue;
        }
        ++stray;
      }
    }
    EXPECT_EQ(stray, 0) << p.name;
    if (p.unison) {
      EXPECT_GT(markPixels, 0) << p.name << " shows no mark for the third string";
    }
  }
}

TEST(Pictures, PlainSecondStringHighlightMarksTheThirdStringAndTheBVariantDoesNot) {
  const double third = kStrings[2].x;
  for (const pictures::SizeClass& sc : pictures::kSizeClasses) {
    const std::string suffix = sc.suffix;
    const QImage plain = resourcePicture("2nd_string" + suffix + ".png");
    const QImage alone = resourcePicture("2nd_string" + suffix + "_b.png");
    auto chipMark = [third](const QImage& image) {
      const double s = scaleOf(image);
      int count = 0;
      for (int y = 0; y < rowAt(image, pictures::kUnisonMarkArea.bottom); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          count += std::abs((x + 0.5) / s - third) <= pictures::kChipRadius + 2.5 && alphaAt(image, x, y) > 64;
        }
      }
      return count;
    };
    EXPECT_GT(chipMark(plain), 0) << suffix;
    EXPECT_EQ(chipMark(alone), 0) << suffix;
  }
}

TEST(Pictures, EachHighlightLightsItsStringWhereEveryChartOfItsSizeDrawsThatString) {
  for (const Picture& p : picturesOf(Kind::Highlight)) {
    const QImage highlight = resourcePicture(p.name);
    const double s = scaleOf(highlight);
    const double x = kStrings[static_cast<std::size_t>(p.string - 1)].x;
    for (int tuning = 1; tuning <= 5; ++tuning) {
      const std::string chartName =
          p.width == pictures::kSmallChartWidth ? pictures::smallChartName(tuning) : pictures::largeChartName(tuning);
      const QImage chart = resourcePicture(chartName);
      const double toChart = static_cast<double>(chart.width()) / highlight.width();
      int misplaced = 0, offChart = 0;
      for (int row = rowAt(highlight, kBoardTop); row < rowAt(highlight, kBoardBottom); ++row) {
        // The middle of the most opaque run of the row.
        int first = 0, last = 0;
        for (int col = 1; col < highlight.width(); ++col) {
          const int a = alphaAt(highlight, col, row), best = alphaAt(highlight, first, row);
          if (a > best) {
            first = last = col;
          } else if (a == best) {
            last = col;
          }
        }
        const double brightest = (first + last + 1) / 2.0;
        misplaced += std::abs(brightest - x * s) > 1.0;
        const int chartCol = static_cast<int>(brightest * toChart);
        const int chartRow = static_cast<int>((row + 0.5) * toChart);
        offChart += std::max(lightnessAt(chart, chartCol - 1, chartRow),
                             std::max(lightnessAt(chart, chartCol, chartRow), lightnessAt(chart, chartCol + 1, chartRow))) <= 140;
      }
      EXPECT_EQ(misplaced, 0) << p.name;
      EXPECT_EQ(offChart, 0) << p.name << " over " << chartName;
    }
  }
}

}  // namespace
}  // namespace balalaika::testing
