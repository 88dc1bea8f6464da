// The capture half of PitchListener: the process-wide slot, the audio session set-up, the input
// queue's life and its level meter.

#include <mutex>

#include "pitch/PitchListener.h"
#include "platform/Log.h"

namespace balalaika {
namespace {

constexpr std::uint32_t kCaptureBufferBytes = 8192;

// The class-wide lock: guards the slot and the installed platform. Re-entrant, because
// sharedListener still holds it when the allocation it triggers takes it again.
std::recursive_mutex& classLock() {
  static std::recursive_mutex lock;
  return lock;
}

struct InstalledPlatform {
  std::shared_ptr<platform::AudioSession> session;
  std::shared_ptr<platform::AudioInputQueueFactory> queues;
};

InstalledPlatform& installed() {
  static InstalledPlatform platform;
  return platform;
}

PitchListener* slot = nullptr;  // guarded by classLock()

}  // namespace

bool PitchListener::installPlatform(std::shared_ptr<platform::AudioSession> session,
                                    std::shared_ptr<platform::AudioInputQueueFactory> queues) {
  std::lock_guard lock(classLock());
  if (slot != nullptr) return false;
  installed() = {std::move(session), std::move(queues)};
  return true;
}

PitchListener* PitchListener::sharedListener() {
  std::lock_guard lock(classLock());
  if (slot == nullptr) {
    if (PitchListener* created = allocate()) created->init();
  }
  return slot;
}

PitchListener* PitchListener::allocate() {
  std::lock_guard lock(classLock());
  if (slot != nullptr) return nullptr;
  slot = new PitchListener();
  slot->session_ = installed().session;
  slot->queueFactory_ = installed().queues;
  return slot;
}

void PitchListener::destroySharedListenerForTesting() {
  std::lock_guard lock(classLock());
  delete slot;
  slot = nullptr;
  installed() = {};
}

PitchListener::~PitchListener() {
  stop();
  if (session_) {
    if (auto error = session_->setActive(false)) {
      platform::warn(platform::LogCategory::Audio, "%@", error->localizedDescription);
    }
  }
}

PitchListener* PitchListener::init() {
  if (!session_) return this;
  if (auto error = session_->setCategory(platform::AudioSessionCategory::Playback)) {
    platform::warn(platform::LogCategory::Audio, "%@ Error setting category: %@", "init", error->localizedDescription);
    return this;
  }
  session_->setCategory(platform::AudioSessionCategory::PlayAndRecord,
                        platform::kAudioSessionCategoryOptionDefaultToSpeaker);
  if (auto error = session_->setActive(true)) {
    platform::warn(platform::LogCategory::Audio, "%@", error->localizedDescription);
  }
  return this;
}

void PitchListener::listen() {
  if (queue_.load() == nullptr) setupQueue();
  if (platform::AudioInputQueue* queue = queue_.load()) queue->start();
}

void PitchListener::pause() {
  if (isListening()) queue_.load()->stop(true);
}

void PitchListener::stop() {
  platform::AudioInputQueue* queue = queue_.load();
  if (queue == nullptr) return;
  delete queue;  // waits for a callback in progress; none runs afterwards
  queue_.store(nullptr);
}

bool PitchListener::isListening() const {
  platform::AudioInputQueue* queue = queue_.load();
  if (queue == nullptr) return false;
  const std::optional<std::uint32_t> running = queue->isRunning();
  return running.has_value() && *running != 0;
}

const platform::AudioQueueLevelMeterState* PitchListener::levels() {
  if (!isListening()) return nullptr;
  updateLevels();
  return levels_.get();
}

void PitchListener::updateLevels() {
  platform::AudioInputQueue* queue = queue_.load();
  if (queue == nullptr || !levels_) return;
  queue->currentLevelMeter(levels_.get(), format_.mChannelsPerFrame);
}

float PitchListener::averagePower() {
  if (!isListening()) return 0.0f;
  const platform::AudioQueueLevelMeterState* states = levels();
  return states != nullptr ? states[0].mAveragePower : 0.0f;  // the queue may stop in between
}

float PitchListener::peakPower() {
  if (!isListening()) return 0.0f;
  const platform::AudioQueueLevelMeterState* states = levels();
  return states != nullptr ? states[0].mPeakPower : 0.0f;
}

void PitchListener::setupQueue() {
  if (queue_.load() != nullptr) return;
  setupFormat();
  if (!queueFactory_) return;  // no capture platform: nothing to listen to
  std::unique_ptr<platform::AudioInputQueue> queue = queueFactory_->newInput(format_, &listenerInputCallback, this);
  if (!queue) return;
  queue_.store(queue.release());
  setupBuffers();
  setupMetering();
}

void PitchListener::setupFormat() {
  format_.mSampleRate = kCaptureSampleRate;
  format_.mFormatID = platform::kAudioFormatLinearPCM;
  format_.mFormatFlags = platform::kAudioFormatFlagIsSignedInteger | platform::kAudioFormatFlagIsPacked;
  format_.mBytesPerPacket = 2;
  format_.mFramesPerPacket = 1;
  format_.mBytesPerFrame = 2;
  format_.mChannelsPerFrame = 1;
  format_.mBitsPerChannel = 16;
  format_.mReserved = 0;
}

void PitchListener::setupBuffers() {
  platform::AudioInputQueue* queue = queue_.load();
  for (int i = 0; i < kCaptureBufferCount; ++i) {
    platform::AudioQueueBuffer* buffer = nullptr;
    queue->allocateBuffer(kCaptureBufferBytes, &buffer);
    queue->enqueueBuffer(buffer);
  }
}

void PitchListener::setupMetering() {
  levels_ = std::make_unique<platform::AudioQueueLevelMeterState[]>(format_.mChannelsPerFrame);
  const int status = queue_.load()->setLevelMeteringEnabled(1);
  // The line is written whatever the status; only a failed status is worth the user's attention.
  if (status == 0) {
    platform::log(platform::LogCategory::Audio, "AudioQueueSetProperty error: %d", status);
  } else {
    platform::warn(platform::LogCategory::Audio, "AudioQueueSetProperty error: %d", status);
  }
}

// Capture thread.
void PitchListener::listenerInputCallback(void* inUserData, platform::AudioInputQueue* inAQ,
                                          platform::AudioQueueBuffer* inBuffer) {
  auto* listener = static_cast<PitchListener*>(inUserData);
  if (!listener->isListening()) return;
  listener->setAudioBuffer(static_cast<const std::int16_t*>(inBuffer->mAudioData), inBuffer->mAudioDataByteSize);
  inAQ->enqueueBuffer(inBuffer);
}

}  // namespace balalaika
