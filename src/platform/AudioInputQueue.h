#pragma once
// A recording stream modelled on the audio toolbox's input queue: the caller allocates buffers
// on the queue and enqueues them; the queue fills them in the order they were enqueued and hands
// each filled buffer to the input callback on a thread of its own. The callback enqueues the
// buffer again to keep it circulating. A buffer that is not enqueued is never written, so the
// callback may read it until it enqueues it again.
//
// Threads: create, allocateBuffer, start, stop, level metering and destruction are called on the
// main thread. enqueueBuffer and isRunning may also be called from the input callback, on the
// queue's thread; both are lock-free there. Destroying the queue (the toolbox's immediate dispose)
// stops it, waits for a callback in progress to return and frees its buffers; no callback runs
// after the destructor returns.

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/AudioFormat.h"
#include "platform/LevelMeter.h"

namespace balalaika::platform {

// Status codes of the queue calls (0 = success).
inline constexpr int kAudioQueueErr_InvalidBuffer = -66687;
inline constexpr int kAudioQueueErr_BufferEnqueuedTwice = -66666;
inline constexpr int kAudioQueueErr_InvalidDevice = -66680;
inline constexpr int kAudioQueueErr_CannotStart = -66681;
inline constexpr int kAudioQueueErr_InvalidParameter = -50;

struct AudioQueueBuffer {
  std::uint32_t mAudioDataBytesCapacity = 0;  // bytes
  void* mAudioData = nullptr;                 // owned by the queue
  std::uint32_t mAudioDataByteSize = 0;       // bytes filled, set before the callback
};

class AudioInputQueue;

// Queue thread: buffer has just been filled. Must not block (beyond the listener's buffer lock),
// allocate, free or log.
using AudioQueueInputCallback = void (*)(void* inUserData, AudioInputQueue* inAQ, AudioQueueBuffer* inBuffer);

class AudioInputQueue {
 public:
  virtual ~AudioInputQueue() = default;

  // A buffer of byteCapacity bytes owned by the queue, valid until the queue is destroyed.
  virtual int allocateBuffer(std::uint32_t byteCapacity, AudioQueueBuffer** outBuffer) = 0;
  // Puts a buffer allocated on this queue at the end of the line of buffers to fill.
  virtual int enqueueBuffer(AudioQueueBuffer* buffer) = 0;
  virtual int start() = 0;
  // Stops recording; with immediate = true at once, dropping partly filled buffers.
  virtual int stop(bool immediate) = 0;
  // The running flag (non-zero while recording); nothing when it cannot be fetched.
  virtual std::optional<std::uint32_t> isRunning() const = 0;
  // Turns the level meter on (1) or off (0); returns a status.
  virtual int setLevelMeteringEnabled(std::uint32_t enabled) = 0;
  // Writes the current level of up to channelCount channels (linear RMS and peak of the newest
  // filled buffer) into levels; returns a status.
  virtual int currentLevelMeter(AudioQueueLevelMeterState* levels, std::uint32_t channelCount) = 0;
};

// Makes input queues for a format. Main thread only.
class AudioInputQueueFactory {
 public:
  virtual ~AudioInputQueueFactory() = default;
  // A new, stopped queue that will call callback with userData; nullptr when none can be made.
  virtual std::unique_ptr<AudioInputQueue> newInput(const AudioStreamBasicDescription& format,
                                                    AudioQueueInputCallback callback, void* userData) = 0;
};

}  // namespace balalaika::platform
