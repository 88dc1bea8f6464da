#include "app/LayoutTable.h"

#include <algorithm>
#include <cmath>

#include "platform/Device.h"

namespace balalaika::app {
namespace {

constexpr LayoutRow kPhoneSmall[] = {
    {480, "Main_iPhone4s"}, {568, "Main_iPhone"}, {667, "Main_iPhone6"}, {736, "Main_iPhone6Plus"}};
constexpr LayoutRow kPhoneX[] = {{812, "Main_iPhoneX"}};
constexpr LayoutRow kPhone12Pro[] = {
    {874, "Main_iPhone12Pro"}, {844, "Main_iPhone12Pro"}, {852, "Main_iPhone12Pro"}};
constexpr LayoutRow kPhoneXSMax[] = {{896, "Main_iPhoneXSMax"}};
constexpr LayoutRow kPhone12ProMax[] = {
    {956, "Main_iPhone12ProMax"}, {926, "Main_iPhone12ProMax"}, {932, "Main_iPhone12ProMax"}};

constexpr std::span<const LayoutRow> kPhoneGroups[] = {kPhoneSmall, kPhoneX, kPhone12Pro, kPhoneXSMax,
                                                       kPhone12ProMax};

constexpr LayoutRow kPadFirst[] = {{1024, "Main_iPad"}, {1080, "Main_iPad_Pro_10_5"}};
constexpr LayoutRow kPadRest[] = {{1112, "Main_iPad_Pro_10_5"}, {1133, "Main_iPad_Mini6"},
                                  {1180, "Main_iPad_Pro_10_5"}, {1194, "Main_iPad_Pro_11"},
                                  {1210, "Main_iPad_Pro_11"},   {1366, "Main_iPad_Pro"},
                                  {1376, "Main_iPad_Pro"}};

constexpr std::span<const LayoutRow> kPadGroups[] = {kPadFirst, kPadRest};

}  // namespace

std::span<const std::span<const LayoutRow>> phoneLayoutGroups() { return kPhoneGroups; }
std::span<const std::span<const LayoutRow>> padLayoutGroups() { return kPadGroups; }

std::optional<std::string> layoutFor(int idiom, double height) {
  const auto groups = idiom == platform::kIdiomPhone ? phoneLayoutGroups()
                      : idiom == platform::kIdiomPad ? padLayoutGroups()
                                                     : std::span<const std::span<const LayoutRow>>{};
  for (const auto group : groups) {
    for (const auto& row : group) {
      if (row.height == height) return std::string(row.layout);
    }
  }
  return std::nullopt;
}

int browserIdiom(double screenWidth, double screenHeight) {
  return std::min(screenWidth, screenHeight) >= kBrowserPadShortSide ? platform::kIdiomPad : platform::kIdiomPhone;
}

std::string layoutOrNearestFor(int idiom, double height) {
  if (auto exact = layoutFor(idiom, height)) return *exact;
  const auto groups = idiom == platform::kIdiomPad ? padLayoutGroups() : phoneLayoutGroups();
  const LayoutRow* nearest = nullptr;
  for (const auto group : groups) {
    for (const auto& row : group) {
      const double distance = std::fabs(row.height - height);
      if (nearest == nullptr || distance < std::fabs(nearest->height - height) ||
          (distance == std::fabs(nearest->height - height) && row.height < nearest->height)) {
        nearest = &row;
      }
    }
  }
  return nearest->layout;
}

}  // namespace balalaika::app
