#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "platform/web/WebAudioInputQueue.h"

namespace balalaika::web {
namespace {

constexpr double kCaptureRate = 14039.0;
constexpr std::uint32_t kBufferBytes = 8192;

// The listener's side: three circulating buffers, each filled one copied out, then re-enqueued
// unless the test holds them.
class PageMicrophone : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      platform::AudioQueueBuffer* buffer = nullptr;
      ASSERT_EQ(queue.allocateBuffer(kBufferBytes, &buffer), 0);
      ASSERT_EQ(queue.enqueueBuffer(buffer), 0);
    }
    queue.setLevelMeteringEnabled(1);
    queue.start();
  }

  static void received(void* self, platform::AudioInputQueue* queue, platform::AudioQueueBuffer* buffer) {
    auto* test = static_cast<PageMicrophone*>(self);
    const auto* samples = static_cast<const std::int16_t*>(buffer->mAudioData);
    test->buffers.emplace_back(samples, samples + buffer->mAudioDataByteSize / 2);
    if (test->reEnqueue) queue->enqueueBuffer(buffer);
  }

  // A sine at the given rate, delivered in the worklet's 128-frame blocks.
  void play(double rate, double frequency, double seconds, double amplitude = 0.5) {
    std::vector<float> block(128);
    const auto total = static_cast<std::size_t>(seconds * rate);
    for (std::size_t done = 0; done < total; done += block.size()) {
      for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * frequency * double(done + i) / rate));
      }
      queue.deliver(block.data(), block.size());
    }
  }

  static double frequencyOf(const std::vector<std::int16_t>& samples) {
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) crossings += samples[i - 1] < 0 && samples[i] >= 0;
    return crossings * kCaptureRate / static_cast<double>(samples.size());
  }

  platform::AudioQueueLevelMeterState level() {
    platform::AudioQueueLevelMeterState state{};
    queue.currentLevelMeter(&state, 1);
    return state;
  }

  std::vector<std::vector<std::int16_t>> buffers;
  bool reEnqueue = true;
  WebAudioInputQueue queue{kCaptureRate, &PageMicrophone::received, this};
};

TEST_F(PageMicrophone, GivenTheContextsRateThenFullBuffersOfTheCaptureRateReachTheListenerWithTheirLevel) {
  for (double rate : {44100.0, 48000.0}) {
    buffers.clear();
    ASSERT_TRUE(queue.setInputRate(rate));
    play(rate, 440.0, 3.0);
    // 3 s at 14039 Hz is 10.3 buffers of 4096 samples, less the resampler's delay.
    ASSERT_EQ(buffers.size(), 10u) << rate;
    for (const auto& buffer : buffers) EXPECT_EQ(buffer.size(), kBufferBytes / 2);
    EXPECT_NEAR(frequencyOf(buffers.back()), 440.0, 4.0) << rate;
    EXPECT_NEAR(level().mAveragePower, 0.5 / std::sqrt(2.0), 0.01) << rate;
    EXPECT_NEAR(level().mPeakPower, 0.5, 0.01) << rate;
  }
}

TEST_F(PageMicrophone, GivenNoBufferInLineThenSamplesAreDroppedAndDeliveryGoesOnOnceOneReturns) {
  reEnqueue = false;
  ASSERT_TRUE(queue.setInputRate(48000.0));
  play(48000.0, 440.0, 3.0);
  ASSERT_EQ(buffers.size(), 3u);  // the three buffers, then nothing to fill

  platform::AudioQueueBuffer* buffer = nullptr;
  ASSERT_EQ(queue.allocateBuffer(kBufferBytes, &buffer), 0);
  queue.enqueueBuffer(buffer);
  play(48000.0, 440.0, 0.5);
  EXPECT_EQ(buffers.size(), 4u);
}

TEST_F(PageMicrophone, GivenANewStartThenAPartlyFilledBufferIsDroppedAndTheNewRateIsUsed) {
  ASSERT_TRUE(queue.setInputRate(44100.0));
  play(44100.0, 1000.0, 0.2);  // less than a buffer of a high tone
  ASSERT_TRUE(buffers.empty());
  ASSERT_TRUE(queue.setInputRate(48000.0));
  play(48000.0, 300.0, 1.0);
  ASSERT_FALSE(buffers.empty());
  // Only the new source's tone, at its pitch: the old samples and the old rate are gone.
  EXPECT_NEAR(frequencyOf(buffers.front()), 300.0, 10.0);
}

TEST_F(PageMicrophone, GivenNoRateAStopOrALostSourceThenNothingIsDeliveredAndTheLevelReadsZero) {
  play(48000.0, 440.0, 1.0);  // before any rate
  EXPECT_TRUE(buffers.empty());
  EXPECT_FALSE(queue.setInputRate(0.0));

  ASSERT_TRUE(queue.setInputRate(48000.0));
  play(48000.0, 440.0, 1.0);
  EXPECT_GT(level().mAveragePower, 0.1f);
  queue.sourceLost();
  EXPECT_EQ(level().mAveragePower, 0.0f);

  const std::size_t before = buffers.size();
  queue.stop(true);
  EXPECT_EQ(queue.isRunning(), 0u);
  play(48000.0, 440.0, 1.0);
  EXPECT_EQ(buffers.size(), before);
  EXPECT_EQ(level().mAveragePower, 0.0f);
}

}  // namespace
}  // namespace balalaika::web
