#include "platform/InputBufferLine.h"

#include <cstring>

namespace balalaika::platform {

int InputBufferLine::allocate(std::uint32_t byteCapacity, AudioQueueBuffer** outBuffer) {
  const std::size_t index = count_.load(std::memory_order_relaxed);
  if (outBuffer == nullptr || index >= kMaxBuffers || byteCapacity < 2 || byteCapacity % 2 != 0) {
    return kAudioQueueErr_InvalidParameter;
  }
  Slot& slot = slots_[index];
  slot.storage.reset(new std::int16_t[byteCapacity / 2]());
  slot.header.mAudioDataBytesCapacity = byteCapacity;
  slot.header.mAudioData = slot.storage.get();
  slot.header.mAudioDataByteSize = 0;
  count_.store(index + 1, std::memory_order_release);  // publishes the slot to the queue's thread
  *outBuffer = &slot.header;
  return 0;
}

int InputBufferLine::enqueue(AudioQueueBuffer* buffer) {
  const std::size_t count = count_.load(std::memory_order_acquire);
  for (std::size_t i = 0; i < count; ++i) {
    if (&slots_[i].header != buffer) continue;
    std::uint64_t expected = 0;
    const std::uint64_t ticket = nextTicket_.fetch_add(1, std::memory_order_relaxed);
    if (!slots_[i].ticket.compare_exchange_strong(expected, ticket, std::memory_order_release,
                                                  std::memory_order_relaxed)) {
      return kAudioQueueErr_BufferEnqueuedTwice;
    }
    return 0;
  }
  return kAudioQueueErr_InvalidBuffer;
}

AudioQueueBuffer* InputBufferLine::takeNext() {
  const std::size_t count = count_.load(std::memory_order_acquire);
  Slot* oldest = nullptr;
  std::uint64_t oldestTicket = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint64_t ticket = slots_[i].ticket.load(std::memory_order_acquire);
    if (ticket != 0 && (oldest == nullptr || ticket < oldestTicket)) {
      oldest = &slots_[i];
      oldestTicket = ticket;
    }
  }
  if (oldest == nullptr) return nullptr;
  oldest->ticket.store(0, std::memory_order_relaxed);
  oldest->header.mAudioDataByteSize = 0;
  return &oldest->header;
}

std::size_t InputBufferLine::enqueuedCount() const {
  const std::size_t count = count_.load(std::memory_order_acquire);
  std::size_t enqueued = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (slots_[i].ticket.load(std::memory_order_relaxed) != 0) ++enqueued;
  }
  return enqueued;
}

namespace {

// The bits of a float and back (std::bit_cast is missing from some standard libraries we build
// with, emscripten's among them).
std::uint32_t floatBits(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float bitsFloat(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace

void InputBufferLine::publishLevel(const std::int16_t* samples, std::size_t count) {
  if (!meteringEnabled()) return;
  const AudioQueueLevelMeterState state = measureLevel(samples, count);
  const std::uint64_t packed = (std::uint64_t{floatBits(state.mAveragePower)} << 32) |
                               floatBits(state.mPeakPower);
  level_.store(packed, std::memory_order_relaxed);
}

AudioQueueLevelMeterState InputBufferLine::level() const {
  if (!meteringEnabled()) return {};
  const std::uint64_t packed = level_.load(std::memory_order_relaxed);
  return {bitsFloat(static_cast<std::uint32_t>(packed >> 32)),
          bitsFloat(static_cast<std::uint32_t>(packed & 0xFFFFFFFFu))};
}

}  // namespace balalaika::platform
