#include "platform/EmulatedDevice.h"

#include <charconv>

#include "platform/Device.h"

namespace balalaika::platform {
namespace {

constexpr ScreenSize kPhones[] = {{320, 480}, {320, 568}, {375, 667}, {414, 736}, {375, 812}, {390, 844},
                                  {393, 852}, {402, 874}, {414, 896}, {428, 926}, {430, 932}, {440, 956}};
constexpr ScreenSize kPads[] = {{768, 1024}, {810, 1080}, {834, 1112}, {744, 1133}, {820, 1180},
                                {834, 1194}, {834, 1210}, {1024, 1366}, {1032, 1376}};

constexpr ScreenSize kDefaultPhone{390, 844};
constexpr ScreenSize kDefaultPad{820, 1180};
constexpr ScreenSize kDefaultOther{390, 844};
// Larger than any screen a window could sensibly emulate.
constexpr int kLargestOtherSide = 10000;

const char* const kUsage =
    "use phone, phone:HEIGHT, phone:WIDTHxHEIGHT, pad, pad:HEIGHT, pad:WIDTHxHEIGHT, other or other:WIDTHxHEIGHT";

std::optional<int> parsePositive(std::string_view text) {
  int value = 0;
  const auto* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc{} || ptr != end || value <= 0) return std::nullopt;
  return value;
}

// "844" -> {0, 844}; "390x844" -> {390, 844}; nothing when malformed.
std::optional<ScreenSize> parseSize(std::string_view text) {
  const auto cross = text.find('x');
  if (cross == std::string_view::npos) {
    const auto height = parsePositive(text);
    if (!height) return std::nullopt;
    return ScreenSize{0, static_cast<double>(*height)};
  }
  const auto width = parsePositive(text.substr(0, cross));
  const auto height = parsePositive(text.substr(cross + 1));
  if (!width || !height) return std::nullopt;
  return ScreenSize{static_cast<double>(*width), static_cast<double>(*height)};
}

std::string listOf(std::span<const ScreenSize> sizes) {
  std::string text;
  for (const auto& size : sizes) {
    if (!text.empty()) text += ", ";
    text += std::to_string(static_cast<int>(size.width)) + "x" + std::to_string(static_cast<int>(size.height));
  }
  return text;
}

DeviceOptionResult failure(std::string message) { return {std::nullopt, std::move(message)}; }

DeviceOptionResult listed(std::string_view kind, int idiom, std::span<const ScreenSize> sizes, ScreenSize fallback,
                          std::optional<std::string_view> sizeText) {
  if (!sizeText) return {EmulatedDevice{idiom, fallback}, {}};
  const auto wanted = parseSize(*sizeText);
  if (!wanted) return failure("unreadable " + std::string(kind) + " size '" + std::string(*sizeText) + "': " + kUsage);
  for (const auto& size : sizes) {
    if (size.height == wanted->height && (wanted->width == 0 || size.width == wanted->width)) {
      return {EmulatedDevice{idiom, size}, {}};
    }
  }
  return failure("no " + std::string(kind) + " is " + std::string(*sizeText) + " points; " + std::string(kind) +
                 " sizes: " + listOf(sizes));
}

}  // namespace

std::span<const ScreenSize> phoneScreenSizes() { return kPhones; }
std::span<const ScreenSize> padScreenSizes() { return kPads; }

EmulatedDevice defaultEmulatedDevice() { return {kIdiomPhone, kDefaultPhone}; }

DeviceOptionResult parseDeviceOption(std::string_view text) {
  const auto colon = text.find(':');
  const auto kind = text.substr(0, colon);
  const std::optional<std::string_view> sizeText =
      colon == std::string_view::npos ? std::nullopt : std::optional(text.substr(colon + 1));

  if (kind == "phone") return listed("phone", kIdiomPhone, kPhones, kDefaultPhone, sizeText);
  if (kind == "pad") return listed("pad", kIdiomPad, kPads, kDefaultPad, sizeText);
  if (kind == "other") {
    if (!sizeText) return {EmulatedDevice{kIdiomOther, kDefaultOther}, {}};
    const auto size = parseSize(*sizeText);
    if (!size || size->width == 0 || size->width > kLargestOtherSide || size->height > kLargestOtherSide) {
      return failure("unreadable size '" + std::string(*sizeText) + "' for another device: use other:WIDTHxHEIGHT");
    }
    return {EmulatedDevice{kIdiomOther, *size}, {}};
  }
  return failure("unknown device '" + std::string(text) + "': " + kUsage);
}

}  // namespace balalaika::platform
