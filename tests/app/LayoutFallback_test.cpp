#include <gtest/gtest.h>

#include "app/LayoutTable.h"
#include "platform/Device.h"

namespace balalaika::app {
namespace {

using platform::kIdiomPad;
using platform::kIdiomPhone;

TEST(BrowserScreen, GivenTheShorterSideThenPadsStartAt600CssPixelsInEitherOrientation) {
  EXPECT_EQ(browserIdiom(390, 844), kIdiomPhone);
  EXPECT_EQ(browserIdiom(844, 390), kIdiomPhone);
  EXPECT_EQ(browserIdiom(599, 1200), kIdiomPhone);
  EXPECT_EQ(browserIdiom(600, 960), kIdiomPad);
  EXPECT_EQ(browserIdiom(1180, 820), kIdiomPad);
  EXPECT_EQ(browserIdiom(1280, 720), kIdiomPad);
}

TEST(BrowserScreen, GivenAHeightTheTableKnowsThenItsOwnRowIsTaken) {
  EXPECT_EQ(layoutOrNearestFor(kIdiomPhone, 844), "Main_iPhone12Pro");
  EXPECT_EQ(layoutOrNearestFor(kIdiomPhone, 667), "Main_iPhone6");
  EXPECT_EQ(layoutOrNearestFor(kIdiomPad, 1133), "Main_iPad_Mini6");
  EXPECT_EQ(layoutOrNearestFor(kIdiomPad, 1180), "Main_iPad_Pro_10_5");
}

TEST(BrowserScreen, GivenAHeightTheTableLacksThenTheNearestRowOfTheIdiomIsTakenTheShorterOnATie) {
  EXPECT_EQ(layoutOrNearestFor(kIdiomPhone, 915), "Main_iPhone12ProMax");  // many Android phones
  EXPECT_EQ(layoutOrNearestFor(kIdiomPhone, 800), "Main_iPhoneX");
  EXPECT_EQ(layoutOrNearestFor(kIdiomPhone, 693), "Main_iPhone6");
  EXPECT_EQ(layoutOrNearestFor(kIdiomPhone, 524), "Main_iPhone4s");  // 44 from 480 and from 568
  EXPECT_EQ(layoutOrNearestFor(kIdiomPhone, 200), "Main_iPhone4s");
  EXPECT_EQ(layoutOrNearestFor(kIdiomPhone, 2000), "Main_iPhone12ProMax");
  EXPECT_EQ(layoutOrNearestFor(kIdiomPad, 720), "Main_iPad");  // a desktop browser
  EXPECT_EQ(layoutOrNearestFor(kIdiomPad, 1440), "Main_iPad_Pro");
  EXPECT_EQ(layoutOrNearestFor(kIdiomPad, 667.5), "Main_iPad");
  // Any other idiom is laid out as a phone.
  EXPECT_EQ(layoutOrNearestFor(5, 844), "Main_iPhone12Pro");
  EXPECT_EQ(layoutOrNearestFor(5, 1024), "Main_iPhone12ProMax");
}

}  // namespace
}  // namespace balalaika::app
