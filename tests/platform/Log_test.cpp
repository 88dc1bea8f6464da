#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Log.h"

namespace balalaika::platform {
namespace {

TEST(Log, GivenLinesFromManyThreadsThenNoneIsLostOrMixed) {
  std::mutex mutex;
  std::vector<std::string> lines;
  LogSink previous = setLogSink([&](LogCategory, LogLevel, const std::string& line) {
    std::lock_guard lock(mutex);
    lines.push_back(line);
  });
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 200; ++i) log(LogCategory::App, "thread %d line %d", t, i);
    });
  }
  for (auto& th : threads) th.join();
  setLogSink(std::move(previous));
  ASSERT_EQ(lines.size(), 800u);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "thread 3 line 199"), 1);
}

}  // namespace
}  // namespace balalaika::platform
