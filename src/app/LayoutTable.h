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

}  // namespace balalaika::app
