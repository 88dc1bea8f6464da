#pragma once
// Reachability whose flags the test sets; counts queries. Safe from any thread.

#include <atomic>
#include <mutex>

#include "platform/Reachability.h"

namespace balalaika::fakes {

class FakeReachability : public platform::Reachability {
 public:
  std::optional<std::uint32_t> flagsForAddress(const platform::SocketAddressV4&) const override {
    std::lock_guard lock(mutex_);
    ++queries_;
    return flags_;
  }

  // nothing: the flags cannot be read.
  void setFlags(std::optional<std::uint32_t> flags) {
    std::lock_guard lock(mutex_);
    flags_ = flags;
  }
  int queries() const {
    std::lock_guard lock(mutex_);
    return queries_;
  }

 private:
  mutable std::mutex mutex_;
  std::optional<std::uint32_t> flags_ = platform::kReachabilityReachable;
  mutable int queries_ = 0;
};

}  // namespace balalaika::fakes
