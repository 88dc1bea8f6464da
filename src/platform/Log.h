#pragma once
// The system's log: one line per message, built from a format with the placeholders
// "%@" (any value as text), "%d" (integer) and "%f" (double, six decimals), "%%" for '%'.
// Every line belongs to a category and has a level: `log` writes developer lines (debug level,
// silent on a user's console unless asked for), `warn` writes failures a user should see.
// Lines go to the installed sink: the Qt layer maps categories and levels onto Qt's logging
// categories, tests capture them. Without a sink every line goes to stderr. Safe from any thread;
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

// What a line is about; the Qt layer maps each to one logging category ("balalaika.audio", ...).
enum class LogCategory { App, Layout, Audio, Rating };
enum class LogLevel { Debug, Warning };

// Builds one line; placeholders without an argument are kept as written.
std::string formatLogLine(std::string_view format, std::span<const LogArg> args);

// Writes a finished line to the installed sink (or stderr).
void writeLogLine(LogCategory category, LogLevel level, const std::string& line);

using LogSink = std::function<void(LogCategory category, LogLevel level, const std::string& line)>;
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

template <typename... Args>
void write(LogCategory category, LogLevel level, std::string_view format, Args&&... args) {
  const std::array<LogArg, sizeof...(Args)> values{toLogArg(std::forward<Args>(args))...};
  writeLogLine(category, level, formatLogLine(format, values));
}
}  // namespace detail

// A developer line: what the program does, for whoever debugs it.
template <typename... Args>
void log(LogCategory category, std::string_view format, Args&&... args) {
  detail::write(category, LogLevel::Debug, format, std::forward<Args>(args)...);
}

// A failure the user should see on the console.
template <typename... Args>
void warn(LogCategory category, std::string_view format, Args&&... args) {
  detail::write(category, LogLevel::Warning, format, std::forward<Args>(args)...);
}

}  // namespace balalaika::platform
