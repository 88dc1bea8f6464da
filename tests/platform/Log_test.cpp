#include <gtest/gtest.h>

#include <thread>

#include "fakes/LogCapture.h"
#include "platform/Log.h"

namespace balalaika::platform {
namespace {

TEST(Log, GivenEachPlaceholderKindThenTheLineReadsAsFormatted) {
  fakes::LogCapture capture;
  log(LogCategory::App, "iPhone has a height of: %f", 844.0);
  log(LogCategory::App, "AudioQueueSetProperty error: %d", 0);
  log(LogCategory::App, "%@ Error setting category: %@", "init", std::string("refused"));
  log(LogCategory::App, "RATINGPROMPT Use count: %@", std::int64_t{3});
  log(LogCategory::App, "100%% sure, %d", -7);
  log(LogCategory::App, "Ya se abrió antes");
  log(LogCategory::App, "Error creating session: %@");  // a placeholder without an argument stays as written
  EXPECT_EQ(capture.lines(),
            (std::vector<std::string>{"iPhone has a height of: 844.000000", "AudioQueueSetProperty error: 0",
                                      "init Error setting category: refused", "RATINGPROMPT Use count: 3",
                                      "100% sure, -7", "Ya se abrió antes", "Error creating session: %@"}));
}

TEST(Log, GivenLinesFromManyThreadsThenNoneIsLostOrMixed) {
  fakes::LogCapture capture;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 200; ++i) log(LogCategory::App, "thread %d line %d", t, i);
    });
  }
  for (auto& th : threads) th.join();
  ASSERT_EQ(capture.lines().size(), 800u);
  EXPECT_EQ(capture.count("thread 3 line 199"), 1);
}

}  // namespace
}  // namespace balalaika::platform
