#pragma once
// Captures log lines of every category and level for the lifetime of the object (restores the
// previous sink after).

#include <mutex>
#include <string>
#include <vector>

#include "platform/Log.h"

namespace balalaika::fakes {

class LogCapture {
 public:
  LogCapture() {
    previous_ = platform::setLogSink([this](platform::LogCategory, platform::LogLevel, const std::string& line) {
      std::lock_guard lock(mutex_);
      lines_.push_back(line);
    });
  }
  ~LogCapture() { platform::setLogSink(std::move(previous_)); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::vector<std::string> lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  platform::LogSink previous_;
};

}  // namespace balalaika::fakes
