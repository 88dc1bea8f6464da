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
  const auto aids = parseCommandLine({"--a4", "443.5", "--lock", "3", "--unison"}).options;
  EXPECT_TRUE(aids.a4 == 443.5 && aids.lockedString == 3 && aids.unisonCheck);
  EXPECT_EQ(parseCommandLine({}).options.a4, std::nullopt) << "the stored pitch unless asked";
}

TEST(CommandLine, RejectsUnknownOptionsMissingValuesAndBadNumbersInOneLine) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--frobnicate"}, {"--input"}, {"--tuning", "0"}, {"--tuning", "6"},
                                             {"--tuning", "2x"}, {"--quit-after", "-1"}, {"--quit-after", "soon"},
                                             {"input.wav"}, {"--estimator"}, {"--estimator", ""},
                                             {"--estimator", "PRECISE"}, {"--estimator", "yin"}, {"--a4"}, {"--a4", "414"},
                                             {"--a4", "467"}, {"--a4", "443.25"}, {"--a4", "A"}, {"--a4", "443Hz"},
                                             {"--lock", "0"}, {"--lock", "4"}, {"--lock", "E1"}}) {
    const auto r = parseCommandLine(args);
    EXPECT_FALSE(r.ok()) << args[0];
    EXPECT_EQ(r.error.find('\n'), std::string::npos);
  }
}

}  // namespace
}  // namespace balalaika::app
