#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace balalaika::app {
namespace {

TEST(CommandLine, ReadsEveryOptionWithItsValueAndChoosesTheEstimatorOnlyWhenAsked) {
  const auto r = parseCommandLine({"--device", "pad:1024", "--input", "a.wav", "--loop", "--headless", "--lang", "es",
                                   "--quit-after", "2.5", "--screenshot", "s.png", "--estimator", "precise"});
  ASSERT_TRUE(r.ok()) << r.error;
  const auto& o = r.options;
  EXPECT_TRUE(o.device == "pad:1024" && o.inputFile == "a.wav" && o.loop && o.headless && o.language == "es" &&
              o.quitAfterSeconds == 2.5 && o.screenshotFile == "s.png" && o.estimator == Estimator::Precise);
  EXPECT_EQ(parseCommandLine({}).options.estimator, std::nullopt) << "the stored choice unless asked";
  EXPECT_EQ(parseCommandLine({"--analyze", "x.flac", "--tuning", "5"}).options.tuning, 5);
}

TEST(CommandLine, RejectsUnknownOptionsMissingValuesAndBadNumbersInOneLine) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--frobnicate"}, {"--input"}, {"--tuning", "0"}, {"--tuning", "6"},
                                             {"--tuning", "2x"}, {"--quit-after", "-1"}, {"--quit-after", "soon"},
                                             {"input.wav"}, {"--estimator"}, {"--estimator", ""},
                                             {"--estimator", "PRECISE"}, {"--estimator", "yin"}}) {
    const auto r = parseCommandLine(args);
    EXPECT_FALSE(r.ok()) << args[0];
    EXPECT_EQ(r.error.find('\n'), std::string::npos);
  }
}

}  // namespace
}  // namespace balalaika::app
