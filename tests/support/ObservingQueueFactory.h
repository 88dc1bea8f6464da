#pragma once
// Wraps an input-queue factory so that a test sees every filled buffer on the capture thread,
// just before and just after the listener's callback handles it. One queue at a time.

#include <functional>
#include <memory>

#include "platform/AudioInputQueue.h"

namespace balalaika::support {

class ObservingQueueFactory : public platform::AudioInputQueueFactory {
 public:
  using Observer = std::function<void(const platform::AudioQueueBuffer& buffer)>;  // capture thread

  ObservingQueueFactory(std::shared_ptr<platform::AudioInputQueueFactory> inner, Observer before, Observer after = {})
      : inner_(std::move(inner)), before_(std::move(before)), after_(std::move(after)) {}

  std::unique_ptr<platform::AudioInputQueue> newInput(const platform::AudioStreamBasicDescription& format,
                                                      platform::AudioQueueInputCallback callback,
                                                      void* userData) override {
    callback_ = callback;
    userData_ = userData;
    return inner_->newInput(format, &trampoline, this);
  }

 private:
  static void trampoline(void* self, platform::AudioInputQueue* queue, platform::AudioQueueBuffer* buffer) {
    auto* factory = static_cast<ObservingQueueFactory*>(self);
    if (factory->before_) factory->before_(*buffer);
    factory->callback_(factory->userData_, queue, buffer);
    if (factory->after_) factory->after_(*buffer);
  }

  std::shared_ptr<platform::AudioInputQueueFactory> inner_;
  Observer before_;
  Observer after_;
  platform::AudioQueueInputCallback callback_ = nullptr;
  void* userData_ = nullptr;
};

}  // namespace balalaika::support
