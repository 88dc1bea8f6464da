#pragma once
// The line of buffers an input queue fills: buffer storage allocated up front, the FIFO of
// enqueued buffers and the newest level reading, shared by the real input queues.
//
// Threads: allocate on the main thread (never while another thread allocates). enqueue from the
// main thread or from the input callback; takeNext, publishLevel and clearPartialFill only on the
// queue's thread. Everything but allocate is lock-free and allocation-free.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

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

}  // namespace balalaika::platform
