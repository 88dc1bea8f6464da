#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/CaptureConverter.h"

namespace balalaika::platform {
namespace {

double risingCrossingsHertz(const std::vector<std::int16_t>& x, double rate) {
  double first = -1.0, last = -1.0;
  int n = 0;
  for (std::size_t i = 1; i < x.size(); ++i) {
    if (x[i - 1] < 0 && x[i] >= 0) {
      const double at = static_cast<double>(i - 1) + double(x[i - 1]) / double(x[i - 1] - x[i]);
      if (first < 0.0) first = at;
      last = at;
      ++n;
    }
  }
  return n < 2 ? 0.0 : (n - 1) * rate / (last - first);
}

TEST(CaptureConverter, StereoFloatAt48kBecomesMonoSixteenBitAtTheCaptureRateWithPitchAndLevelKept) {
  constexpr double kIn = 48000.0, kOut = 14039.0;
  std::vector<float> stereo(2 * 96000);  // one second of tone, one of silence to flush the resampler
  for (std::size_t f = 0; f < 48000; ++f) {
    stereo[2 * f] = stereo[2 * f + 1] = static_cast<float>(0.5 * std::sin(6.283185307179586 * 440.0 * f / kIn));
  }
  CaptureConverter converter(kIn, 2, CaptureSampleType::Float32, kOut, 1024);
  ASSERT_TRUE(converter.error().empty());
  std::vector<std::int16_t> out;
  // Fed in uneven chunks, as a device delivers them.
  std::size_t offset = 0;
  for (std::size_t chunk : {700u, 3000u, 5u, 44295u, 48000u}) {
    converter.process(stereo.data() + 2 * offset, chunk, [&](const std::int16_t* s, std::size_t n) { out.insert(out.end(), s, s + n); });
    offset += chunk;
  }
  ASSERT_EQ(offset, 96000u);
  EXPECT_NEAR(static_cast<double>(out.size()), 2 * kOut, 1500.0);  // less the resampler's delay
  // Every one of the 440 cycles comes out: nothing is dropped between chunks.
  int cycles = 0;
  for (std::size_t i = 1; i < out.size(); ++i) cycles += out[i - 1] < -1000 && out[i] >= -1000;
  EXPECT_EQ(cycles, 440);
  const std::vector<std::int16_t> steady(out.begin() + 1000, out.begin() + 13000);
  EXPECT_NEAR(risingCrossingsHertz(steady, kOut), 440.0, 0.05);
  double sum = 0.0;
  for (auto s : steady) sum += double(s) * s;
  EXPECT_NEAR(std::sqrt(sum / steady.size()) / 32768.0, 0.5 / std::sqrt(2.0), 0.01);
}

TEST(CaptureConverter, ChannelsAreAveragedAndSilenceStaysDigitalSilence) {
  std::vector<std::int16_t> opposite(2 * 4410);
  for (std::size_t f = 0; f < 4410; ++f) {
    opposite[2 * f] = static_cast<std::int16_t>(f % 2 ? 8000 : -8000);
    opposite[2 * f + 1] = static_cast<std::int16_t>(-opposite[2 * f]);
  }
  CaptureConverter converter(44100.0, 2, CaptureSampleType::Int16, 14039.0);
  std::size_t produced = 0;
  bool allZero = true;
  converter.process(opposite.data(), 4410, [&](const std::int16_t* s, std::size_t n) {
    produced += n;
    for (std::size_t i = 0; i < n; ++i) allZero = allZero && s[i] == 0;
  });
  EXPECT_GT(produced, 0u);
  EXPECT_TRUE(allZero);
}

TEST(CaptureConverter, AnInvalidRateIsReportedAndProducesNothing) {
  CaptureConverter converter(0.0, 1, CaptureSampleType::Int16, 14039.0);
  EXPECT_FALSE(converter.error().empty());
  std::vector<std::int16_t> input(100, 1000);
  bool called = false;
  converter.process(input.data(), input.size(), [&](const std::int16_t*, std::size_t) { called = true; });
  EXPECT_FALSE(called);
}

}  // namespace
}  // namespace balalaika::platform
