#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QMediaDevices>
#include <atomic>

#include "audio/AudioServer.h"
#include "platform/OutputStreamFormat.h"
#include "platform/qt/QtAudioOutputUnit.h"
#include "platform/qt/QtAudioSession.h"

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

// Param: the stream's sample rate; the sink plays at 44100 Hz, so a rate not honoured shifts the pitch.
using SpeakerPlayback = audiotest::OnTestServer<::testing::TestWithParam<double>>;

TEST_P(SpeakerPlayback, GivenA329HzSineFromTheRenderCallbackThenTheSpeakerPlaysItAtItsPitchUntilStopped) {
  qt::QtAudioOutputComponent component;
  std::unique_ptr<platform::AudioOutputUnit> unit = component.newInstance(
      {platform::kAudioUnitType_Output, platform::kAudioUnitSubType_RemoteIO, platform::kAudioUnitManufacturer_Apple, 0, 0});
  ASSERT_NE(unit, nullptr);
  Sine sine;
  sine.sampleRate = GetParam();
  ASSERT_EQ(unit->setRenderCallback(&renderSine, &sine), 0);
  ASSERT_EQ(unit->setStreamFormat(platform::floatMonoFormat(GetParam())), 0);
  ASSERT_EQ(unit->initialize(), 0);

  std::uint32_t requestsAtStop = 0;  // the callback must not run after stop returns
  const std::vector<float> recorded = audiotest::recordSpeaker([&] {
    audiotest::pump(300);
    EXPECT_EQ(unit->start(), 0);
    audiotest::pump(2000);
    EXPECT_EQ(unit->stop(), 0);
    requestsAtStop = sine.requests.load();
    audiotest::pump(300);
  });
  EXPECT_EQ(sine.requests.load(), requestsAtStop);
  EXPECT_NEAR(audiotest::zeroCrossingHertz(recorded, 44100.0), 329.6, 0.5) << recorded.size() << " samples recorded";
  EXPECT_LE(sine.largestRequest.load(), qt::RenderDevice::kMaxFramesPerRequest);
  EXPECT_FALSE(sine.onMainThread.load());
}

INSTANTIATE_TEST_SUITE_P(StreamRates, SpeakerPlayback, ::testing::Values(44100.0, 22050.0));

QString pactl(const QString& arguments) {
  QProcess p;
  p.start(QStringLiteral("pactl"), arguments.split(QLatin1Char(' ')));
  p.waitForFinished(5000);
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

using DesktopAudioSession = audiotest::OnTestServer<>;

TEST_F(DesktopAudioSession, GivenTheOutputDeviceInUseIsLostThenOneInterruptionBegins) {
  const QString module = pactl(QStringLiteral("load-module module-null-sink sink_name=bt_spare_speaker"));
  ASSERT_FALSE(module.isEmpty());
  pactl(QStringLiteral("set-default-sink bt_spare_speaker"));
  qt::QtAudioSession session;
  std::vector<std::uint32_t> interruptions;
  session.initialize([&](std::uint32_t state) { interruptions.push_back(state); });
  // Qt learns of the new default device asynchronously; from then on it is the one in use.
  ASSERT_TRUE(audiotest::pumpUntil([] { return QMediaDevices::defaultAudioOutput().id() == "bt_spare_speaker"; }, 3000));
  session.checkOutputs();
  EXPECT_TRUE(interruptions.empty());

  pactl(QStringLiteral("unload-module ") + module);
  pactl(QStringLiteral("set-default-sink vmic"));
  EXPECT_TRUE(audiotest::pumpUntil([&] { return !interruptions.empty(); }, 5000));
  EXPECT_EQ(interruptions, (std::vector<std::uint32_t>{platform::kAudioSessionBeginInterruption}));

  audiotest::pump(300);  // the remaining device is now in use: nothing more to report
  session.checkOutputs();
  EXPECT_EQ(interruptions.size(), 1u);
}

}  // namespace
}  // namespace balalaika
