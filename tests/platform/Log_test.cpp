#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "fakes/LogCapture.h"
#include "platform/Log.h"

namespace balalaika::platform {
namespace {

TEST(Log, GivenLinesFromManyThreadsThenNoneIsLostOrMixed) {
  fakes::LogCapture capture;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 200; ++i) log(LogCategory::App, "thread %d line %d", t, i);
    });
  }
  for (auto& th : threads) th.join();
  const auto lines = capture.lines();
  ASSERT_EQ(lines.size(), 800u);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "thread 3 line 199"), 1);
}

}  // namespace
}  // namespace balalaika::platform
