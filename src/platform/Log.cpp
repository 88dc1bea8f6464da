#include "platform/Log.h"

#include <cinttypes>
#include <cstdio>
#include <mutex>

namespace balalaika::platform {
namespace {

std::mutex& sinkMutex() {
  static std::mutex m;
  return m;
}

LogSink& sinkSlot() {
  static LogSink sink;
  return sink;
}

std::string asText(const LogArg& arg) {
  if (const auto* s = std::get_if<std::string>(&arg)) return *s;
  if (const auto* i = std::get_if<std::int64_t>(&arg)) return std::to_string(*i);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", std::get<double>(arg));
  return buf;
}

std::string asInteger(const LogArg& arg) {
  if (const auto* d = std::get_if<double>(&arg)) return std::to_string(static_cast<std::int64_t>(*d));
  return asText(arg);
}

std::string asFixed(const LogArg& arg) {
  double value = 0.0;
  if (const auto* d = std::get_if<double>(&arg)) {
    value = *d;
  } else if (const auto* i = std::get_if<std::int64_t>(&arg)) {
    value = static_cast<double>(*i);
  } else {
    return std::get<std::string>(arg);
  }
  char buf[512];
  std::snprintf(buf, sizeof buf, "%f", value);
  return buf;
}

}  // namespace

std::string formatLogLine(std::string_view format, std::span<const LogArg> args) {
  std::string out;
  out.reserve(format.size() + 16);
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%' || i + 1 >= format.size()) {
      out += c;
      continue;
    }
    const char spec = format[i + 1];
    if (spec == '%') {
      out += '%';
      ++i;
      continue;
    }
    if ((spec == '@' || spec == 'd' || spec == 'f') && next < args.size()) {
      const LogArg& arg = args[next++];
      out += spec == '@' ? asText(arg) : spec == 'd' ? asInteger(arg) : asFixed(arg);
      ++i;
      continue;
    }
    out += c;
  }
  return out;
}

void writeLogLine(LogCategory category, LogLevel level, const std::string& line) {
  std::lock_guard lock(sinkMutex());
  if (sinkSlot()) {
    sinkSlot()(category, level, line);
    return;
  }
  std::fprintf(stderr, "%s\n", line.c_str());
}

LogSink setLogSink(LogSink sink) {
  std::lock_guard lock(sinkMutex());
  LogSink previous = std::move(sinkSlot());
  sinkSlot() = std::move(sink);
  return previous;
}

}  // namespace balalaika::platform
