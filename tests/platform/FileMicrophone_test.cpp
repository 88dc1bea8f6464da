#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "demo_recording/Synth.h"
#include "platform/AudioFileDecoder.h"
#include "platform/FileAudioInputQueue.h"

namespace balalaika::platform {
namespace {

using Clock = std::chrono::steady_clock;
constexpr double kRate = 14039.0;

AudioStreamBasicDescription captureFormat(std::uint32_t flags = kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked) {
  const std::uint32_t bytes = flags & kAudioFormatFlagIsFloat ? 4 : 2;
  return {kRate, kAudioFormatLinearPCM, flags, bytes, 1, bytes, 1, bytes * 8, 0};
}

// A file of `count` ramp samples (i % period + 1, in 16-bit steps) in the build folder.
std::string rampFile(const std::string& name, std::size_t count, std::size_t period) {
  std::vector<float> ramp(count);
  for (std::size_t i = 0; i < count; ++i) ramp[i] = static_cast<float>(i % period + 1) / 32768.0f;
  const std::string path = std::string(BT_BINARY_DIR) + "/" + name;
  EXPECT_TRUE(synth::writeAudioFile(path, ramp, kRate));
  return path;
}

// Collects what the queue delivers, with when it arrived, and enqueues each buffer again, as the
// listener does.
struct Collector {
  std::mutex lock;
  std::vector<std::pair<Clock::time_point, std::vector<std::int16_t>>> buffers;

  static void callback(void* self, AudioInputQueue* queue, AudioQueueBuffer* buffer) {
    auto* c = static_cast<Collector*>(self);
    const auto* samples = static_cast<const std::int16_t*>(buffer->mAudioData);
    {
      std::lock_guard guard(c->lock);
      c->buffers.emplace_back(Clock::now(), std::vector<std::int16_t>(samples, samples + buffer->mAudioDataByteSize / 2));
    }
    queue->enqueueBuffer(buffer);
  }
  bool waitFor(std::size_t n) {
    for (const auto until = Clock::now() + std::chrono::seconds(5);; std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
      std::lock_guard guard(lock);
      if (buffers.size() >= n || Clock::now() >= until) return buffers.size() >= n;
    }
  }
};

TEST(FileMicrophone, GivenAFileThenItArrivesBufferByBufferInRealTimeThenSilenceWhileTheQueueKeepsRunning) {
  const std::string path = rampFile("file_microphone_ramp.wav", 6000, 2000);  // a buffer and a half
  std::vector<std::int16_t> file = decodeAudioFile(path, kRate).samples;
  ASSERT_EQ(file.size(), 6000u);
  file.resize(3 * 4096);  // then silence
  FileAudioInputQueueFactory factory(path, false);
  Collector collector;
  const auto started = Clock::now();
  auto queue = factory.newInput(captureFormat(), &Collector::callback, &collector);
  ASSERT_NE(queue, nullptr);
  for (int i = 0; i < 3; ++i) {
    AudioQueueBuffer* buffer = nullptr;
    queue->allocateBuffer(8192, &buffer);
    queue->enqueueBuffer(buffer);
  }
  queue->start();
  ASSERT_TRUE(collector.waitFor(3));
  queue->stop(true);

  std::lock_guard guard(collector.lock);
  std::vector<std::int16_t> heard;
  for (std::size_t k = 0; k < 3; ++k) {
    // Never earlier than a microphone could have filled the buffer.
    const auto& [arrival, samples] = collector.buffers[k];
    EXPECT_GE(arrival - started, std::chrono::duration<double>((k + 1) * 4096 / kRate - 0.002));
    ASSERT_EQ(samples.size(), 4096u);
    heard.insert(heard.end(), samples.begin(), samples.end());
  }
  EXPECT_EQ(heard, file);
  EXPECT_EQ(queue->isRunning(), std::optional<std::uint32_t>(0));
}

TEST(FileMicrophone, GivenAnUnreadableFileOrAForeignFormatThenThereIsNoQueue) {
  FileAudioInputQueueFactory missing(std::string(BT_BINARY_DIR) + "/no_such_file.wav", false);
  EXPECT_FALSE(missing.load(kRate).empty());
  Collector collector;
  EXPECT_EQ(missing.newInput(captureFormat(), &Collector::callback, &collector), nullptr);

  FileAudioInputQueueFactory file(rampFile("file_microphone_short.wav", 100, 100), false);
  EXPECT_EQ(file.newInput(captureFormat(kAudioFormatFlagIsFloat), &Collector::callback, &collector), nullptr);
}

}  // namespace
}  // namespace balalaika::platform
