#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "PictureGeometry.h"

namespace balalaika::testing {
namespace {

using pictures::kStrings;

// The picture from the resources, non-premultiplied; a null image when it is missing.
QImage resourcePicture(const std::string& name) {
  return QImage(QStringLiteral(":/images/") + QString::fromStdString(name)).convertToFormat(QImage::Format_ARGB32);
}
int alphaAt(const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)); }

// Over the fingerboard (design y 70..210) the strings are light lines on dark wood.
constexpr double kBoardTop = 70.0, kBoardBottom = 210.0;

// Transparent everywhere except around its one string (and, for the plain second-string
// highlights, the unison mark over the third string's chip); and along the fingerboard its most
// opaque column lies on that string, where every chart of its size draws the string light.
TEST(Pictures, GivenAHighlightThenItLightsExactlyItsOneStringLinedUpWithEveryChartOfItsSize) {
  for (const pictures::Picture& p : pictures::allPictures()) {
    if (p.kind != pictures::Kind::Highlight) continue;
    const QImage highlight = resourcePicture(p.name);
    const double s = highlight.width() / pictures::kDesignWidth;  // pixels per design unit
    const double tolerance = 1.0 / s;  // one pixel of antialiasing
    const double lit = kStrings[static_cast<std::size_t>(p.string - 1)].x;
    const auto& mark = pictures::kUnisonMarkArea;
    int stray = 0, markPixels = 0;
    for (int y = 0; y < highlight.height(); ++y) {
      for (int x = 0; x < highlight.width(); ++x) {
        if (alphaAt(highlight, x, y) <= 16) continue;
        const double ux = (x + 0.5) / s, uy = (y + 0.5) / s;
        if (std::abs(ux - lit) <= pictures::kLitHalfWidth + tolerance) continue;
        const bool inMark = ux >= mark.left - tolerance && ux <= mark.right + tolerance && uy >= mark.top - tolerance &&
                            uy <= mark.bottom + tolerance;
        ++(p.unison && inMark ? markPixels : stray);
      }
    }
    EXPECT_EQ(stray, 0) << p.name;
    EXPECT_TRUE(!p.unison || markPixels > 0) << p.name << " shows no mark for the third string";

    for (int tuning = 1; tuning <= 5; ++tuning) {
      const std::string chartName =
          p.width == pictures::kSmallChartWidth ? pictures::smallChartName(tuning) : pictures::largeChartName(tuning);
      const QImage chart = resourcePicture(chartName);
      const double toChart = static_cast<double>(chart.width()) / highlight.width();
      int misplaced = 0, offChart = 0;
      for (int row = int(kBoardTop * s); row < int(kBoardBottom * s); ++row) {
        int first = 0, last = 0;  // the most opaque run of the row
        for (int col = 1; col < highlight.width(); ++col) {
          const int a = alphaAt(highlight, col, row), best = alphaAt(highlight, first, row);
          if (a > best) first = last = col;
          else if (a == best) last = col;
        }
        const double brightest = (first + last + 1) / 2.0;
        misplaced += std::abs(brightest - lit * s) > 1.0;
        const int chartCol = static_cast<int>(brightest * toChart), chartRow = static_cast<int>((row + 0.5) * toChart);
        int light = 0;
        for (int dx = -1; dx <= 1; ++dx) light = std::max(light, QColor(chart.pixel(chartCol + dx, chartRow)).lightness());
        offChart += light <= 140;
      }
      EXPECT_EQ(misplaced, 0) << p.name;
      EXPECT_EQ(offChart, 0) << p.name << " over " << chartName;
    }
  }
}

}  // namespace
}  // namespace balalaika::testing
