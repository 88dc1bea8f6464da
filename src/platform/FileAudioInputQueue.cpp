#include "platform/FileAudioInputQueue.h"

#include <algorithm>
#include <chrono>

#include "platform/AudioFileDecoder.h"

namespace balalaika::platform {
namespace {

// Stands in for a buffer's length when no buffer is in line: time still passes.
constexpr std::uint32_t kIdleFrames = 4096;

bool isSixteenBitMono(const AudioStreamBasicDescription& f) {
  return f.mFormatID == kAudioFormatLinearPCM && (f.mFormatFlags & kAudioFormatFlagIsSignedInteger) != 0 &&
         (f.mFormatFlags & kAudioFormatFlagIsFloat) == 0 && f.mBitsPerChannel == 16 && f.mChannelsPerFrame == 1 &&
         f.mBytesPerFrame == 2 && f.mSampleRate > 0.0;
}

}  // namespace

FileAudioInputQueue::FileAudioInputQueue(std::shared_ptr<const std::vector<std::int16_t>> samples, double sampleRate,
                                         bool loop, AudioQueueInputCallback callback, void* userData)
    : samples_(std::move(samples)), sampleRate_(sampleRate), loop_(loop), callback_(callback), userData_(userData) {}

FileAudioInputQueue::~FileAudioInputQueue() { stop(true); }

int FileAudioInputQueue::allocateBuffer(std::uint32_t byteCapacity, AudioQueueBuffer** outBuffer) {
  return line_.allocate(byteCapacity, outBuffer);
}

int FileAudioInputQueue::enqueueBuffer(AudioQueueBuffer* buffer) { return line_.enqueue(buffer); }

int FileAudioInputQueue::start() {
  if (thread_.joinable()) return 0;  // already running
  stopRequested_.store(false);
  running_.store(1);
  thread_ = std::thread([this] { run(); });
  return 0;
}

int FileAudioInputQueue::stop(bool /*immediate*/) {
  // Both kinds of stop end at the next buffer boundary at the latest; a partly filled buffer stays
  // in line and is filled afresh after the next start.
  running_.store(0);
  {
    std::lock_guard lock(stopMutex_);
    stopRequested_.store(true);
  }
  stopWake_.notify_all();
  if (thread_.joinable()) thread_.join();
  line_.clearLevel();
  return 0;
}

std::optional<std::uint32_t> FileAudioInputQueue::isRunning() const { return running_.load(); }

int FileAudioInputQueue::setLevelMeteringEnabled(std::uint32_t enabled) {
  line_.setMeteringEnabled(enabled != 0);
  return 0;
}

int FileAudioInputQueue::currentLevelMeter(AudioQueueLevelMeterState* levels, std::uint32_t channelCount) {
  if (levels == nullptr) return kAudioQueueErr_InvalidParameter;
  if (channelCount > 0) levels[0] = line_.level();
  for (std::uint32_t c = 1; c < channelCount; ++c) levels[c] = {};
  return 0;
}

void FileAudioInputQueue::fill(std::int16_t* out, std::uint32_t count) {
  const std::vector<std::int16_t>& source = *samples_;
  std::uint32_t written = 0;
  while (written < count) {
    if (position_ >= source.size()) {
      if (!loop_ || source.empty()) {
        std::fill_n(out + written, count - written, std::int16_t{0});
        position_ = source.size();
        return;
      }
      position_ = 0;
    }
    const std::size_t n = std::min<std::size_t>(count - written, source.size() - position_);
    std::copy_n(source.data() + position_, n, out + written);
    written += static_cast<std::uint32_t>(n);
    position_ += n;
  }
}

// Pacing thread: each turn takes the oldest buffer in line, fills it from the file and hands it
// over when the real-time span it covers has passed.
void FileAudioInputQueue::run() {
  using Clock = std::chrono::steady_clock;
  auto due = Clock::now();
  double owedSeconds = 0.0;  // fractions of a clock tick carried from buffer to buffer
  while (!stopRequested_.load()) {
    AudioQueueBuffer* buffer = line_.takeNext();
    const std::uint32_t frames = buffer != nullptr ? buffer->mAudioDataBytesCapacity / 2 : kIdleFrames;
    if (buffer != nullptr) {
      fill(static_cast<std::int16_t*>(buffer->mAudioData), frames);
    } else {
      // Nobody to take the samples: they are lost, as with a microphone whose buffers are all out.
      const std::size_t size = samples_->size();
      position_ += frames;
      if (position_ >= size) position_ = (loop_ && size > 0) ? position_ % size : size;
    }
    owedSeconds += frames / sampleRate_;
    const auto span = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(owedSeconds));
    owedSeconds -= std::chrono::duration<double>(span).count();
    due += span;
    {
      // One wake-up per buffer: at its due time, or at once for a stop request.
      std::unique_lock lock(stopMutex_);
      stopWake_.wait_until(lock, due, [this] { return stopRequested_.load(); });
    }
    if (stopRequested_.load()) {
      if (buffer != nullptr) line_.enqueue(buffer);  // back in line, to be filled after a restart
      break;
    }
    delivered_.fetch_add(frames, std::memory_order_relaxed);
    if (buffer == nullptr) continue;
    buffer->mAudioDataByteSize = frames * 2;
    line_.publishLevel(static_cast<const std::int16_t*>(buffer->mAudioData), frames);
    callback_(userData_, this, buffer);
  }
}

FileAudioInputQueueFactory::FileAudioInputQueueFactory(std::string path, bool loop)
    : path_(std::move(path)), loop_(loop) {}

std::string FileAudioInputQueueFactory::load(double sampleRate) {
  if (samples_ && loadedRate_ == sampleRate) return {};
  DecodedAudio decoded = decodeAudioFile(path_, sampleRate);
  if (!decoded.ok()) return decoded.error;
  samples_ = std::make_shared<const std::vector<std::int16_t>>(std::move(decoded.samples));
  loadedRate_ = sampleRate;
  return {};
}

double FileAudioInputQueueFactory::durationSeconds() const {
  return samples_ && loadedRate_ > 0.0 ? static_cast<double>(samples_->size()) / loadedRate_ : 0.0;
}

std::unique_ptr<AudioInputQueue> FileAudioInputQueueFactory::newInput(const AudioStreamBasicDescription& format,
                                                                      AudioQueueInputCallback callback,
                                                                      void* userData) {
  if (!isSixteenBitMono(format) || !load(format.mSampleRate).empty()) return nullptr;
  return std::make_unique<FileAudioInputQueue>(samples_, format.mSampleRate, loop_, callback, userData);
}

}  // namespace balalaika::platform
