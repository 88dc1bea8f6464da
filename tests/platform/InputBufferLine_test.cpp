#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/InputBufferLine.h"

namespace balalaika::platform {
namespace {

TEST(InputBufferLine, GivenBuffersEnqueuedInAnyOrderThenTheyAreFilledInThatOrderAndForeignOrDoubleOnesRefused) {
  InputBufferLine line;
  AudioQueueBuffer* b[3] = {};
  for (auto*& buffer : b) ASSERT_EQ(line.allocate(8192, &buffer), 0);
  EXPECT_EQ(line.takeNext(), nullptr);  // allocated is not enqueued
  ASSERT_EQ(line.enqueue(b[2]), 0);
  ASSERT_EQ(line.enqueue(b[0]), 0);
  EXPECT_EQ(line.enqueue(b[0]), kAudioQueueErr_BufferEnqueuedTwice);
  AudioQueueBuffer foreign;
  EXPECT_EQ(line.enqueue(&foreign), kAudioQueueErr_InvalidBuffer);
  EXPECT_EQ(line.enqueue(nullptr), kAudioQueueErr_InvalidBuffer);
  ASSERT_EQ(line.enqueue(b[1]), 0);
  EXPECT_EQ(line.takeNext(), b[2]);
  EXPECT_EQ(line.enqueue(b[2]), 0);  // back of the line
  for (AudioQueueBuffer* expected : {b[0], b[1], b[2], static_cast<AudioQueueBuffer*>(nullptr)})
    EXPECT_EQ(line.takeNext(), expected);

  AudioQueueBuffer* other = nullptr;
  EXPECT_TRUE(line.allocate(8191, &other) && line.allocate(0, &other) && line.allocate(8192, nullptr));
  for (std::size_t i = 3; i < InputBufferLine::kMaxBuffers; ++i) ASSERT_EQ(line.allocate(2, &other), 0);
  EXPECT_NE(line.allocate(2, &other), 0);
}

TEST(InputBufferLine, GivenACaptureThreadCirculatingBuffersWhileAnotherReadsLevelsThenNoneIsLostOrTorn) {
  InputBufferLine line;
  const std::vector<std::int16_t> early(8, 9);
  line.publishLevel(early.data(), early.size());
  EXPECT_EQ(line.level().mPeakPower, 0.0f) << "the level reads zero while metering is off";
  line.setMeteringEnabled(true);
  for (int i = 0; i < 3; ++i) {
    AudioQueueBuffer* buffer = nullptr;
    ASSERT_EQ(line.allocate(256, &buffer), 0);
    ASSERT_EQ(line.enqueue(buffer), 0);
  }
  std::atomic<bool> done{false};
  std::atomic<int> missing{0};
  std::thread capture([&] {
    for (int i = 0; i < 20000; ++i) {
      AudioQueueBuffer* buffer = line.takeNext();
      if (!buffer) {
        ++missing;
        continue;
      }
      auto* samples = static_cast<std::int16_t*>(buffer->mAudioData);
      samples[0] = static_cast<std::int16_t>(i % 1000);
      line.publishLevel(samples, 128);
      if (line.enqueue(buffer) != 0) ++missing;
    }
    done = true;
  });
  float highest = 0.0f;
  while (!done) highest = std::max(highest, line.level().mPeakPower);
  capture.join();
  EXPECT_EQ(missing.load(), 0);
  EXPECT_EQ(line.enqueuedCount(), 3u);
  EXPECT_LE(highest, 999.0f / 32768.0f);
}

}  // namespace
}  // namespace balalaika::platform
