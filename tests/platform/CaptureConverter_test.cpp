#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/CaptureConverter.h"

namespace balalaika::platform {
namespace {

TEST(CaptureConverter, GivenStereoFloatAt48kInUnevenChunksThenTheChannelsAverageToMonoSixteenBitAtTheCaptureRate) {
  constexpr double kIn = 48000.0, kOut = 14039.0;
  // One second of tone on the left channel only, then one of silence to flush the resampler.
  std::vector<float> stereo(2 * 96000);
  for (std::size_t f = 0; f < 48000; ++f) stereo[2 * f] = static_cast<float>(std::sin(6.283185307179586 * 440.0 * f / kIn));
  CaptureConverter converter(kIn, 2, CaptureSampleType::Float32, kOut, 1024);
  ASSERT_TRUE(converter.error().empty());
  std::vector<std::int16_t> out;
  std::size_t offset = 0;
  for (std::size_t chunk : {700u, 3000u, 5u, 44295u, 48000u}) {
    converter.process(stereo.data() + 2 * offset, chunk, [&](const std::int16_t* s, std::size_t n) { out.insert(out.end(), s, s + n); });
    offset += chunk;
  }
  EXPECT_NEAR(static_cast<double>(out.size()), 2 * kOut, 1500.0);  // less the resampler's delay
  // Every one of the 440 cycles comes out: nothing is dropped between chunks.
  int cycles = 0;
  for (std::size_t i = 1; i < out.size(); ++i) cycles += out[i - 1] < -1000 && out[i] >= -1000;
  EXPECT_EQ(cycles, 440);
  double sum = 0.0;
  for (std::size_t i = 1000; i < 13000; ++i) sum += double(out[i]) * out[i];
  EXPECT_NEAR(std::sqrt(sum / 12000) / 32768.0, 0.5 / std::sqrt(2.0), 0.01) << "the mean of both channels";
}

TEST(CaptureConverter, GivenAnInvalidRateThenTheErrorIsReportedAndNothingProduced) {
  CaptureConverter converter(0.0, 1, CaptureSampleType::Int16, 14039.0);
  EXPECT_FALSE(converter.error().empty());
  std::vector<std::int16_t> input(100, 1000);
  bool called = false;
  converter.process(input.data(), input.size(), [&](const std::int16_t*, std::size_t) { called = true; });
  EXPECT_FALSE(called);
}

}  // namespace
}  // namespace balalaika::platform
