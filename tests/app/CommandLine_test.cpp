#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace balalaika::app {
namespace {

TEST(CommandLine, ReadsEveryOptionWithItsValueAndChoosesTheEstimatorOnlyWhenAsked) {
  const auto r = parseCommandLine({"--device", "pad:1024", "--input", "a.wav", "--loop", "--headless", "--lang", "es",
                                   "--quit-after", "2.5", "--screenshot", "s.png", "--estimator", "precise"});
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.options.device, "pad:1024");
  EXPECT_EQ(r.options.inputFile, "a.wav");
  EXPECT_TRUE(r.options.loop);
  EXPECT_TRUE(r.options.headless);
  EXPECT_EQ(r.options.language, "es");
  EXPECT_EQ(r.options.quitAfterSeconds, 2.5);
  EXPECT_EQ(r.options.screenshotFile, "s.png");
  EXPECT_EQ(r.options.estimator, Estimator::Precise);
  EXPECT_EQ(parseCommandLine({}).options.estimator, std::nullopt) << "the stored choice unless asked";
  EXPECT_EQ(parseCommandLine({"--analyze", "x.flac", "--tuning", "5"}).options.tuning, 5);
}

TEST(CommandLine, RejectsUnknownOptionsMissingValuesAndBadNumbers) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--frobnicate"}, {"--input"}, {"--tuning", "0"}, {"--tuning", "6"},
                                             {"--tuning", "2x"}, {"--quit-after", "-1"}, {"--quit-after", "soon"},
                                             {"input.wav"}, {"--estimator"}, {"--estimator", ""},
                                             {"--estimator", "PRECISE"}, {"--estimator", "yin"}}) {
    const auto r = parseCommandLine(args);
    EXPECT_FALSE(r.ok()) << args[0];
    EXPECT_EQ(r.error.find('\n'), std::string::npos) << "one line";
  }
}

}  // namespace
}  // namespace balalaika::app
