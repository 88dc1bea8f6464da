#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <vector>

#include "audio/AudioServer.h"
#include "platform/qt/QtAudioOutputUnit.h"
#include "support/ZeroCrossing.h"

namespace balalaika {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// The render callback's tone; counts what the output asked of it (render thread).
struct Sine {
  double sampleRate = 44100.0;
  double phase = 0.0;
  std::atomic<std::uint32_t> requests{0}, largestRequest{0};
  std::atomic<bool> onMainThread{false};
  Qt::HANDLE mainThread = QThread::currentThreadId();
};

int renderSine(void* refCon, std::uint32_t*, const platform::AudioTimeStamp*, std::uint32_t, std::uint32_t frames,
               platform::AudioBufferList* data) {
  auto* sine = static_cast<Sine*>(refCon);
  auto* out = static_cast<float*>(data->mBuffers[0].mData);
  for (std::uint32_t i = 0; i < frames; ++i) {
    out[i] = static_cast<float>(0.5 * std::sin(sine->phase));
    sine->phase = std::fmod(sine->phase + 329.6 * kTwoPi / sine->sampleRate, kTwoPi);
  }
  sine->requests.fetch_add(1);
  sine->largestRequest.store(std::max(sine->largestRequest.load(), frames));
  if (QThread::currentThreadId() == sine->mainThread) sine->onMainThread.store(true);
  return 0;
}

platform::AudioStreamBasicDescription floatMono(double rate) {
  platform::AudioStreamBasicDescription f;
  f.mSampleRate = rate;
  f.mFormatID = platform::kAudioFormatLinearPCM;
  f.mFormatFlags = 41;  // float, packed, non-interleaved
  f.mBytesPerPacket = f.mBytesPerFrame = 4;
  f.mFramesPerPacket = f.mChannelsPerFrame = 1;
  f.mBitsPerChannel = 32;
  return f;
}

// Param: the stream's sample rate; the sink plays at 44100 Hz, so a rate not honoured shifts the pitch.
class SpeakerPlayback : public ::testing::TestWithParam<double> {
 protected:
  void SetUp() override {
    audiotest::application();
    if (const std::string reason = audiotest::serverUnreachableReason(); !reason.empty()) GTEST_SKIP() << reason;
  }
};

TEST_P(SpeakerPlayback, GivenA329HzSineFromTheRenderCallbackThenTheSpeakerPlaysItAtItsPitchUntilStopped) {
  qt::QtAudioOutputComponent component;
  std::unique_ptr<platform::AudioOutputUnit> unit = component.newInstance(
      {platform::kAudioUnitType_Output, platform::kAudioUnitSubType_RemoteIO, platform::kAudioUnitManufacturer_Apple, 0, 0});
  ASSERT_NE(unit, nullptr);
  Sine sine;
  sine.sampleRate = GetParam();
  ASSERT_EQ(unit->setRenderCallback(&renderSine, &sine), 0);
  ASSERT_EQ(unit->setStreamFormat(floatMono(GetParam())), 0);
  ASSERT_EQ(unit->initialize(), 0);

  QProcess recorder;
  recorder.start(QStringLiteral("parecord"), {QStringLiteral("--raw"), QStringLiteral("-d"), QStringLiteral("vmic.monitor"),
                                              QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                                              QStringLiteral("--format=float32le")});
  ASSERT_TRUE(recorder.waitForStarted(5000));
  audiotest::pump(300);
  ASSERT_EQ(unit->start(), 0);
  audiotest::pump(2000);
  EXPECT_EQ(unit->stop(), 0);
  const std::uint32_t requestsAtStop = sine.requests.load();
  audiotest::pump(300);
  recorder.terminate();
  ASSERT_TRUE(recorder.waitForFinished(5000));
  EXPECT_EQ(sine.requests.load(), requestsAtStop) << "the render callback ran after stop returned";

  const QByteArray raw = recorder.readAllStandardOutput();
  std::vector<float> recorded(static_cast<std::size_t>(raw.size()) / sizeof(float));
  if (!recorded.empty()) std::memcpy(recorded.data(), raw.data(), recorded.size() * sizeof(float));
  float loudest = 0.0f;
  for (float v : recorded) loudest = std::max(loudest, std::fabs(v));
  EXPECT_NEAR(measure::zeroCrossingHertz(recorded, 44100.0), 329.6, 0.5)
      << recorded.size() << " samples recorded, loudest " << loudest;
  EXPECT_GT(sine.requests.load(), 10u);
  EXPECT_LE(sine.largestRequest.load(), qt::RenderDevice::kMaxFramesPerRequest);
  EXPECT_FALSE(sine.onMainThread.load());
}

INSTANTIATE_TEST_SUITE_P(StreamRates, SpeakerPlayback, ::testing::Values(44100.0, 22050.0),
                         [](const auto& param) { return param.param == 44100.0 ? "At44100" : "At22050"; });

}  // namespace
}  // namespace balalaika
