#pragma once
// The thirteen screen layouts and the screen heights (points) each one is made for, in the
// order the layout selection tests them. Heights compare by exact equality.

#include <array>
#include <optional>
#include <span>
#include <string>

namespace balalaika::app {

struct LayoutRow {
  double height;       // main-screen height in points
  const char* layout;  // layout resource name
};

// Phone rows, in groups; the selection logs the screen height after each group.
std::span<const std::span<const LayoutRow>> phoneLayoutGroups();
// Pad rows, in groups; the selection logs the screen height after the first group only.
std::span<const std::span<const LayoutRow>> padLayoutGroups();

// Every layout name, phones first (smallest screen first), then pads.
inline constexpr std::array<const char*, 13> kLayoutNames{
    "Main_iPhone4s",     "Main_iPhone",         "Main_iPhone6",       "Main_iPhone6Plus", "Main_iPhoneX",
    "Main_iPhone12Pro",  "Main_iPhoneXSMax",    "Main_iPhone12ProMax", "Main_iPad",       "Main_iPad_Pro_10_5",
    "Main_iPad_Mini6",   "Main_iPad_Pro_11",    "Main_iPad_Pro"};

// The layout for a device idiom (platform::kIdiomPhone / kIdiomPad) and height; nothing when
// the table has no row for them.
std::optional<std::string> layoutFor(int idiom, double height);

// A browser's screen, which reports no idiom: a pad when its shorter side (CSS pixels, which
// iOS reports in points) is at least kBrowserPadShortSide, a phone otherwise.
inline constexpr double kBrowserPadShortSide = 600.0;
int browserIdiom(double screenWidth, double screenHeight);

// The layout for a screen the table may not know (most Android phones, every desktop browser):
// the table's own row when there is one, else the row of the same idiom (a phone for any idiom
// but pad) nearest in height, the shorter on a tie. Never nothing.
std::string layoutOrNearestFor(int idiom, double height);

}  // namespace balalaika::app
