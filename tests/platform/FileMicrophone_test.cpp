#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "fakes/LogCapture.h"
#include "pitch/PitchListener.h"
#include "platform/AudioFileDecoder.h"
#include "platform/FileAudioInputQueue.h"
#include "support/Synth.h"

namespace balalaika::platform {
namespace {

using Clock = std::chrono::steady_clock;
constexpr double kRate = 14039.0;
constexpr double kBufferSeconds = 4096.0 / kRate;

AudioStreamBasicDescription captureFormat() {
  AudioStreamBasicDescription f;
  f.mSampleRate = kRate;
  f.mFormatID = kAudioFormatLinearPCM;
  f.mFormatFlags = kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked;
  f.mBytesPerPacket = 2;
  f.mFramesPerPacket = 1;
  f.mBytesPerFrame = 2;
  f.mChannelsPerFrame = 1;
  f.mBitsPerChannel = 16;
  return f;
}

std::string writeFile(const std::string& name, const std::vector<float>& samples, double rate) {
  const std::string path = std::string(BT_BINARY_DIR) + "/" + name;
  EXPECT_TRUE(synth::writeAudioFile(path, samples, rate));
  return path;
}

// Collects what the queue delivers; enqueues each buffer again like the listener.
struct Collector {
  std::mutex lock;
  std::vector<std::vector<std::int16_t>> buffers;
  std::vector<Clock::time_point> arrivals;
  std::atomic<int> count{0};

  static void callback(void* self, AudioInputQueue* queue, AudioQueueBuffer* buffer) {
    auto* c = static_cast<Collector*>(self);
    const auto* samples = static_cast<const std::int16_t*>(buffer->mAudioData);
    {
      std::lock_guard guard(c->lock);
      c->buffers.emplace_back(samples, samples + buffer->mAudioDataByteSize / 2);
      c->arrivals.push_back(Clock::now());
    }
    c->count.fetch_add(1);
    queue->enqueueBuffer(buffer);
  }
  bool waitFor(int n, double seconds) {
    const auto until = Clock::now() + std::chrono::duration<double>(seconds);
    while (count.load() < n && Clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return count.load() >= n;
  }
};

std::unique_ptr<AudioInputQueue> startQueue(FileAudioInputQueueFactory& factory, Collector& collector, int buffers = 3) {
  auto queue = factory.newInput(captureFormat(), &Collector::callback, &collector);
  if (!queue) return queue;
  for (int i = 0; i < buffers; ++i) {
    AudioQueueBuffer* buffer = nullptr;
    queue->allocateBuffer(8192, &buffer);
    queue->enqueueBuffer(buffer);
  }
  queue->setLevelMeteringEnabled(1);
  queue->start();
  return queue;
}

TEST(FileMicrophone, DeliversTheFileBufferByBufferInRealTimeThenSilenceAndKeepsRunning) {
  std::vector<float> ramp(6000);  // a buffer and a half
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<float>((i % 2000) + 1) / 32768.0f;
  const std::string path = writeFile("file_microphone_ramp.wav", ramp, kRate);
  const std::vector<std::int16_t> expected = decodeAudioFile(path, kRate).samples;
  ASSERT_EQ(expected.size(), 6000u);

  FileAudioInputQueueFactory factory(path, false);
  Collector collector;
  const auto started = Clock::now();
  auto queue = startQueue(factory, collector);
  ASSERT_NE(queue, nullptr);
  ASSERT_TRUE(collector.waitFor(3, 5.0));
  queue->stop(true);

  std::lock_guard guard(collector.lock);
  for (std::size_t k = 0; k < 3; ++k) {
    // Never earlier than a microphone could have filled the buffer.
    EXPECT_GE(collector.arrivals[k] - started, std::chrono::duration<double>((k + 1) * kBufferSeconds - 0.002));
    ASSERT_EQ(collector.buffers[k].size(), 4096u);
  }
  EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 4096, collector.buffers[0].begin()));
  EXPECT_TRUE(std::equal(expected.begin() + 4096, expected.end(), collector.buffers[1].begin()));
  EXPECT_TRUE(std::all_of(collector.buffers[1].begin() + 1904, collector.buffers[1].end(), [](auto s) { return s == 0; }));
  EXPECT_TRUE(std::all_of(collector.buffers[2].begin(), collector.buffers[2].end(), [](auto s) { return s == 0; }));
  EXPECT_EQ(queue->isRunning(), std::optional<std::uint32_t>(0));
}

TEST(FileMicrophone, ALoopingFileStartsOverAndTheLevelFollowsTheNewestBuffer) {
  std::vector<float> ramp(5000);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<float>(i + 1) / 32768.0f;
  const std::string path = writeFile("file_microphone_loop.wav", ramp, kRate);
  FileAudioInputQueueFactory factory(path, true);
  Collector collector;
  auto queue = startQueue(factory, collector);
  ASSERT_TRUE(collector.waitFor(2, 5.0));
  EXPECT_EQ(queue->isRunning(), std::optional<std::uint32_t>(1));
  AudioQueueLevelMeterState level;
  ASSERT_EQ(queue->currentLevelMeter(&level, 1), 0);
  EXPECT_GT(level.mPeakPower, 0.0f);
  queue.reset();  // disposal joins the pacing thread
  const int delivered = collector.count.load();
  std::this_thread::sleep_for(std::chrono::duration<double>(kBufferSeconds * 1.5));
  EXPECT_EQ(collector.count.load(), delivered) << "a buffer arrived after disposal";

  std::lock_guard guard(collector.lock);
  EXPECT_EQ(collector.buffers[1][903], 5000);  // the last sample of the file...
  EXPECT_EQ(collector.buffers[1][904], 1);     // ...then the first again
}

TEST(FileMicrophone, ACallbackThatDoesNotReEnqueueStarvesTheQueueAndTimeStillPasses) {
  std::vector<float> ramp(30000);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<float>(i % 30000) / 32768.0f;
  FileAudioInputQueueFactory factory(writeFile("file_microphone_starve.wav", ramp, kRate), false);
  std::atomic<int> calls{0};
  auto queue = factory.newInput(
      captureFormat(), [](void* n, AudioInputQueue*, AudioQueueBuffer*) { static_cast<std::atomic<int>*>(n)->fetch_add(1); },
      &calls);
  AudioQueueBuffer* buffer = nullptr;
  queue->allocateBuffer(8192, &buffer);
  queue->enqueueBuffer(buffer);
  queue->start();
  std::this_thread::sleep_for(std::chrono::duration<double>(kBufferSeconds * 3.5));
  queue->stop(true);
  EXPECT_EQ(calls.load(), 1);
}

TEST(FileMicrophone, AnUnreadableFileOrAForeignFormatGivesNoQueue) {
  FileAudioInputQueueFactory missing(std::string(BT_BINARY_DIR) + "/no_such_file.wav", false);
  EXPECT_FALSE(missing.load(kRate).empty());
  Collector collector;
  EXPECT_EQ(missing.newInput(captureFormat(), &Collector::callback, &collector), nullptr);

  FileAudioInputQueueFactory file(writeFile("file_microphone_short.wav", std::vector<float>(100, 0.1f), kRate), false);
  AudioStreamBasicDescription floatFormat = captureFormat();
  floatFormat.mFormatFlags = kAudioFormatFlagIsFloat;
  floatFormat.mBitsPerChannel = 32;
  EXPECT_EQ(file.newInput(floatFormat, &Collector::callback, &collector), nullptr);
}

TEST(FileMicrophone, TheListenerHearsAPluckedA4FromAFile) {
  synth::Score score;
  score.sampleRate = 44100.0;
  score.seconds = 2.0;
  score.plucks = {{.hertz = 440.0, .durationSeconds = 2.0, .level = 0.5}};
  auto files = std::make_shared<FileAudioInputQueueFactory>(writeFile("file_microphone_a4.flac", synth::render(score), 44100.0), false);
  PitchListener::destroySharedListenerForTesting();
  fakes::LogCapture log;
  PitchListener::installPlatform(nullptr, files);
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();
  const auto until = Clock::now() + std::chrono::seconds(3);
  while (listener->frequency() == 0.0f && Clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(listener->frequency(), 440.0040588378906f);
  EXPECT_GT(listener->averagePower(), 0.0045f);
  PitchListener::destroySharedListenerForTesting();
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"AudioQueueSetProperty error: 0"}));
}

}  // namespace
}  // namespace balalaika::platform
