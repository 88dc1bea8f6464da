#pragma once
// The line of buffers an input queue fills: buffer storage allocated up front, the FIFO of
// enqueued buffers and the newest level reading, shared by the real input queues.
//
// Threads: allocate on the main thread (never while another thread allocates). enqueue from the
// main thread or from the input callback; takeNext, publishLevel and InputBufferFiller only on the
// queue's thread. Everything but allocate is lock-free and allocation-free.

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "platform/AudioInputQueue.h"

namespace balalaika::platform {

class InputBufferLine {
 public:
  static constexpr std::size_t kMaxBuffers = 16;

  InputBufferLine() = default;
  InputBufferLine(const InputBufferLine&) = delete;
  InputBufferLine& operator=(const InputBufferLine&) = delete;

  // A zero-filled buffer of byteCapacity bytes (even, at least 2); InvalidParameter beyond
  // kMaxBuffers or for a bad size or a null out-pointer.
  int allocate(std::uint32_t byteCapacity, AudioQueueBuffer** outBuffer);
  // InvalidBuffer for a buffer not allocated here, BufferEnqueuedTwice when already in line.
  int enqueue(AudioQueueBuffer* buffer);
  // The oldest enqueued buffer, taken out of the line with its fill reset to 0; nullptr when the
  // line is empty.
  AudioQueueBuffer* takeNext();
  std::size_t enqueuedCount() const;

  // Level meter: the newest reading is kept when enabled; reading it while disabled gives zeros.
  void setMeteringEnabled(bool enabled) { metering_.store(enabled, std::memory_order_relaxed); }
  bool meteringEnabled() const { return metering_.load(std::memory_order_relaxed); }
  void publishLevel(const std::int16_t* samples, std::size_t count);
  void clearLevel() { level_.store(0, std::memory_order_relaxed); }
  AudioQueueLevelMeterState level() const;

 private:
  struct Slot {
    AudioQueueBuffer header;
    std::unique_ptr<std::int16_t[]> storage;
    std::atomic<std::uint64_t> ticket{0};  // 0 = not in line; otherwise its place in line
  };
  std::array<Slot, kMaxBuffers> slots_;
  std::atomic<std::size_t> count_{0};
  std::atomic<std::uint64_t> nextTicket_{1};
  std::atomic<bool> metering_{false};
  std::atomic<std::uint64_t> level_{0};  // average and peak bit patterns, updated together
  static_assert(std::atomic<std::uint64_t>::is_always_lock_free);
};

// Gathers a stream of 16-bit samples into the line's buffers, in order, on the queue's thread:
// each buffer that fills up gets its byte size, publishes its level and goes to full(buffer),
// which returns whether to go on (false when the queue stopped meanwhile). Samples that find no
// free buffer are lost.
class InputBufferFiller {
 public:
  explicit InputBufferFiller(InputBufferLine& line) : line_(line) {}

  template <typename Full>
  void append(const std::int16_t* samples, std::size_t count, Full&& full) {
    while (count > 0) {
      if (current_ == nullptr) {
        current_ = line_.takeNext();
        filled_ = 0;
        if (current_ == nullptr) return;
      }
      const std::size_t capacity = current_->mAudioDataBytesCapacity / 2;
      const std::size_t n = std::min(count, capacity - filled_);
      std::copy_n(samples, n, static_cast<std::int16_t*>(current_->mAudioData) + filled_);
      filled_ += n;
      samples += n;
      count -= n;
      if (filled_ == capacity) {
        AudioQueueBuffer* buffer = std::exchange(current_, nullptr);
        buffer->mAudioDataByteSize = static_cast<std::uint32_t>(capacity * 2);
        line_.publishLevel(static_cast<const std::int16_t*>(buffer->mAudioData), capacity);
        if (!full(buffer)) return;
      }
    }
  }

  // A partly filled buffer goes back in line, to be filled afresh (the source stopped or changed).
  void restart() {
    if (current_ != nullptr) line_.enqueue(std::exchange(current_, nullptr));
    filled_ = 0;
  }

 private:
  InputBufferLine& line_;
  AudioQueueBuffer* current_ = nullptr;  // being filled
  std::size_t filled_ = 0;               // samples in current_
};

}  // namespace balalaika::platform
