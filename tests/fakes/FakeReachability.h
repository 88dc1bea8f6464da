#pragma once
// Reachability whose flags the test sets. Safe from any thread.

#include <mutex>

#include "platform/Reachability.h"

namespace balalaika::fakes {

class FakeReachability : public platform::Reachability {
 public:
  std::optional<std::uint32_t> flagsForAddress(const platform::SocketAddressV4&) const override {
    std::lock_guard lock(mutex_);
    return flags_;
  }
  // nothing: the flags cannot be read.
  void setFlags(std::optional<std::uint32_t> flags) {
    std::lock_guard lock(mutex_);
    flags_ = flags;
  }

 private:
  mutable std::mutex mutex_;
  std::optional<std::uint32_t> flags_ = platform::kReachabilityReachable;
};

}  // namespace balalaika::fakes
