#pragma once
// The system's log: one line per message, built from a format with the placeholders
// "%@" (any value as text), "%d" (integer) and "%f" (double, six decimals), "%%" for '%'.
// Lines go to stderr unless a sink is installed (tests capture them). Safe from any thread;
// not for the audio threads, which never log.

#include <array>
#include <concepts>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace balalaika::platform {

using LogArg = std::variant<std::string, std::int64_t, double>;

// Builds one line; placeholders without an argument are kept as written.
std::string formatLogLine(std::string_view format, std::span<const LogArg> args);

// Writes a finished line to the installed sink (or stderr).
void writeLogLine(const std::string& line);

using LogSink = std::function<void(const std::string& line)>;
// Installs a sink (an empty one restores stderr) and returns the previous one.
LogSink setLogSink(LogSink sink);

namespace detail {
template <typename T>
LogArg toLogArg(T&& value) {
  using V = std::remove_cvref_t<T>;
  if constexpr (std::is_same_v<V, bool>) {
    return std::int64_t{value ? 1 : 0};
  } else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) {
    return static_cast<std::int64_t>(value);
  } else if constexpr (std::is_floating_point_v<V>) {
    return static_cast<double>(value);
  } else {
    return std::string(std::forward<T>(value));
  }
}
}  // namespace detail

template <typename... Args>
void log(std::string_view format, Args&&... args) {
  const std::array<LogArg, sizeof...(Args)> values{detail::toLogArg(std::forward<Args>(args))...};
  writeLogLine(formatLogLine(format, values));
}

}  // namespace balalaika::platform
