#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "fakes/FakeAudioInputQueue.h"
#include "fakes/LogCapture.h"
#include "pitch/PitchListener.h"
#include "platform/LevelMeter.h"
#include "support/Synth.h"

namespace balalaika {
namespace {

using platform::AudioSessionCategory;
using platform::AudioSessionError;

// Records the object-style session calls as text; any call can be made to fail.
class RecordingSession : public platform::AudioSession {
 public:
  std::optional<AudioSessionError> setCategory(AudioSessionCategory category, std::uint32_t options) override {
    calls.push_back(std::string("category ") + (category == AudioSessionCategory::Playback ? "playback" : "playAndRecord") +
                    " " + std::to_string(options));
    return category == AudioSessionCategory::Playback ? failPlayback : std::nullopt;
  }
  std::optional<AudioSessionError> setMode(platform::AudioSessionMode) override {
    calls.push_back("mode");
    return std::nullopt;
  }
  std::optional<AudioSessionError> setActive(bool active) override {
    calls.push_back(active ? "activate" : "deactivate");
    return active ? failActivate : failDeactivate;
  }
  int initialize(InterruptionListener) override { return 0; }
  int setAudioCategoryProperty(std::uint32_t) override { return 0; }
  int setActiveC(bool) override { return 0; }

  std::vector<std::string> calls;
  std::optional<AudioSessionError> failPlayback, failActivate, failDeactivate;
};

std::vector<std::int16_t> pluck(double hertz) {
  synth::Score score;
  score.plucks = {{.hertz = hertz, .level = 0.3}};
  auto pcm = synth::toInt16(synth::render(score));
  return {pcm.begin() + 2000, pcm.begin() + 2000 + 4096};
}

class ListenerCapture : public ::testing::Test {
 protected:
  void SetUp() override {
    PitchListener::destroySharedListenerForTesting();
    ASSERT_TRUE(PitchListener::installPlatform(session, queues));
  }
  void TearDown() override { PitchListener::destroySharedListenerForTesting(); }

  std::shared_ptr<RecordingSession> session = std::make_shared<RecordingSession>();
  std::shared_ptr<fakes::FakeAudioInputQueueFactory> queues = std::make_shared<fakes::FakeAudioInputQueueFactory>();
  fakes::LogCapture log;
};

TEST_F(ListenerCapture, CreationSetsPlaybackThenPlayAndRecordToTheSpeakerAndActivatesWithoutAQueue) {
  PitchListener* listener = PitchListener::sharedListener();
  EXPECT_EQ(session->calls, (std::vector<std::string>{"category playback 0", "category playAndRecord 8", "activate"}));
  EXPECT_TRUE(log.lines().empty());
  EXPECT_EQ(listener->averagePower(), 0.0f);
  EXPECT_EQ(listener->levels(), nullptr);
  EXPECT_TRUE(queues->records().empty());
}

TEST_F(ListenerCapture, ARefusedFirstCategoryIsLoggedAndTheSessionIsNotActivated) {
  session->failPlayback = AudioSessionError{"category refused"};
  EXPECT_NE(PitchListener::sharedListener(), nullptr);
  EXPECT_EQ(session->calls, (std::vector<std::string>{"category playback 0"}));
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"init Error setting category: category refused"}));
}

TEST_F(ListenerCapture, ARefusedActivationLogsItsDescription) {
  session->failActivate = AudioSessionError{"busy"};
  PitchListener::sharedListener();
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"busy"}));
}

TEST_F(ListenerCapture, ReleasingTheListenerDisposesOfTheQueueAndDeactivatesTheSession) {
  session->failDeactivate = AudioSessionError{"still in use"};
  PitchListener::sharedListener()->listen();
  log.clear();
  PitchListener::destroySharedListenerForTesting();
  EXPECT_TRUE(queues->records().at(0)->disposed);
  EXPECT_EQ(session->calls.back(), "deactivate");
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"still in use"}));
}

TEST_F(ListenerCapture, ThereIsOnlyEverOneListenerAndASecondAllocationYieldsNothing) {
  PitchListener* first = PitchListener::sharedListener();
  EXPECT_EQ(PitchListener::sharedListener(), first);
  EXPECT_EQ(PitchListener::allocate(), nullptr);
  EXPECT_FALSE(PitchListener::installPlatform(nullptr, nullptr));  // too late: the listener keeps its platform
  static_assert(!std::is_copy_constructible_v<PitchListener> && !std::is_copy_assignable_v<PitchListener>);
}

TEST_F(ListenerCapture, ListenersAskedForFromManyThreadsAtOnceAreOneInstanceInitialisedOnce) {
  std::vector<PitchListener*> seen(8, nullptr);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([&seen, i] { seen[i] = PitchListener::sharedListener(); });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(std::set<PitchListener*>(seen.begin(), seen.end()).size(), 1u);
  EXPECT_NE(seen[0], nullptr);
  EXPECT_EQ(session->calls.size(), 3u);
}

TEST_F(ListenerCapture, ListenBuildsOneQueueForTheCaptureFormatWithThreeBuffersAndMeteringAndStartsIt) {
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();
  listener->listen();
  ASSERT_EQ(queues->records().size(), 1u);
  const auto& record = *queues->records()[0];
  EXPECT_EQ(record.startCalls, 2);
  EXPECT_EQ(record.allocatedCapacities, (std::vector<std::uint32_t>{8192, 8192, 8192}));
  EXPECT_EQ(queues->current()->enqueuedCount(), 3u);
  EXPECT_EQ(record.meteringSettings, (std::vector<std::uint32_t>{1}));
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"AudioQueueSetProperty error: 0"}));

  platform::AudioStreamBasicDescription expected;
  expected.mSampleRate = 14039.0;
  expected.mFormatID = platform::kAudioFormatLinearPCM;
  expected.mFormatFlags = 12;
  expected.mBytesPerPacket = 2;
  expected.mFramesPerPacket = 1;
  expected.mBytesPerFrame = 2;
  expected.mChannelsPerFrame = 1;
  expected.mBitsPerChannel = 16;
  EXPECT_EQ(record.format, expected);
  EXPECT_TRUE(listener->isListening());
}

TEST_F(ListenerCapture, AFailedMeteringSetUpLogsItsStatus) {
  // The fake can be told its status only once it exists, so metering is set up a second time.
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();
  queues->current()->setMeteringStatus(-50);
  listener->setupMetering();
  EXPECT_EQ(log.lines().back(), "AudioQueueSetProperty error: -50");
}

TEST_F(ListenerCapture, EachBufferDeliveredWhileRunningIsStoredReEnqueuedAndMetered) {
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();
  fakes::FakeAudioInputQueue* queue = queues->current();
  const auto a4 = pluck(440.0);
  const auto d5 = pluck(587.33);
  for (int round = 0; round < 4; ++round) {  // more rounds than buffers: they must keep circulating
    ASSERT_TRUE(queue->deliver(round % 2 == 0 ? a4 : d5));
    EXPECT_EQ(queue->enqueuedCount(), 3u);
  }
  EXPECT_NE(listener->frequency(), 440.0040588378906f);  // the newest buffer wins
  ASSERT_TRUE(queue->deliver(a4));
  EXPECT_EQ(listener->frequency(), 440.0040588378906f);

  const platform::AudioQueueLevelMeterState level = platform::measureLevel(a4.data(), a4.size());
  EXPECT_GT(level.mAveragePower, 0.0045f);
  EXPECT_EQ(listener->averagePower(), level.mAveragePower);
  EXPECT_EQ(listener->peakPower(), level.mPeakPower);
  ASSERT_NE(listener->levels(), nullptr);
  EXPECT_EQ(queue->record().levelReads.back(), 1u);  // one channel's worth
}

TEST_F(ListenerCapture, ABufferDeliveredWhilePausedIsNeitherStoredNorReEnqueued) {
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();
  fakes::FakeAudioInputQueue* queue = queues->current();
  ASSERT_TRUE(queue->deliver(pluck(440.0)));
  listener->pause();
  EXPECT_EQ(queue->record().stopCalls, (std::vector<bool>{true}));
  EXPECT_FALSE(listener->isListening());
  EXPECT_EQ(listener->averagePower(), 0.0f);
  EXPECT_EQ(listener->levels(), nullptr);

  ASSERT_TRUE(queue->deliver(pluck(587.33)));
  EXPECT_EQ(listener->frequency(), 440.0040588378906f);
  EXPECT_EQ(queue->enqueuedCount(), 2u);

  listener->pause();  // not listening: nothing to stop
  EXPECT_EQ(queue->record().stopCalls.size(), 1u);
  listener->listen();  // the same queue starts again
  EXPECT_EQ(queues->records().size(), 1u);
  EXPECT_TRUE(listener->isListening());
}

TEST_F(ListenerCapture, AfterStopNothingIsHeardAndTheNextListenBuildsAFreshQueue) {
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();
  ASSERT_TRUE(queues->current()->deliver(pluck(440.0)));
  listener->stop();
  EXPECT_TRUE(queues->records()[0]->disposed);
  EXPECT_EQ(listener->queue(), nullptr);
  EXPECT_FALSE(listener->isListening());
  EXPECT_EQ(listener->averagePower(), 0.0f);
  listener->stop();  // twice is harmless

  listener->listen();
  ASSERT_EQ(queues->records().size(), 2u);
  EXPECT_EQ(queues->records()[1]->allocatedCapacities, (std::vector<std::uint32_t>{8192, 8192, 8192}));
  EXPECT_EQ(queues->current()->enqueuedCount(), 3u);
  EXPECT_EQ(listener->averagePower(), 0.0f);  // a new level array, nothing measured yet
  EXPECT_EQ(log.count("AudioQueueSetProperty error: 0"), 2);
}

TEST_F(ListenerCapture, AnUnreadableRunningFlagCountsAsNotListening) {
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();
  queues->current()->setRunningFetchFails(true);
  EXPECT_FALSE(listener->isListening());
  EXPECT_EQ(listener->averagePower(), 0.0f);
  EXPECT_EQ(listener->peakPower(), 0.0f);
  ASSERT_TRUE(queues->current()->deliver(std::vector<std::int16_t>(4096, 1000)));
  EXPECT_EQ(queues->current()->enqueuedCount(), 2u);  // dropped, not circulated
}

TEST_F(ListenerCapture, WhenNoQueueCanBeMadeListenDoesNothing) {
  queues->setFailCreation(true);
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();
  EXPECT_EQ(listener->queue(), nullptr);
  EXPECT_FALSE(listener->isListening());
  EXPECT_EQ(listener->averagePower(), 0.0f);
  EXPECT_TRUE(log.lines().empty());
}

TEST(ListenerWithoutPlatform, AnalysesButHasNoSessionStepsAndNothingToListenTo) {
  PitchListener::destroySharedListenerForTesting();
  fakes::LogCapture log;
  PitchListener* listener = PitchListener::sharedListener();
  listener->listen();
  EXPECT_EQ(listener->queue(), nullptr);
  EXPECT_EQ(listener->averagePower(), 0.0f);
  EXPECT_EQ(listener->format().mSampleRate, 14039.0);
  const auto a4 = pluck(440.0);
  listener->setAudioBuffer(a4.data(), 8192);
  EXPECT_EQ(listener->frequency(), 440.0040588378906f);
  EXPECT_TRUE(log.lines().empty());
  PitchListener::destroySharedListenerForTesting();
}

}  // namespace
}  // namespace balalaika
