#pragma once
// A probe that reports its request as created or not, as the test sets. Safe from any thread.

#include <atomic>

#include "platform/HttpProbe.h"

namespace balalaika::fakes {

class RecordingHttpProbe : public platform::HttpProbe {
 public:
  bool start(const platform::ProbeRequest&) override { return created_.load(); }
  void setCreated(bool created) { created_.store(created); }

 private:
  std::atomic<bool> created_{true};
};

}  // namespace balalaika::fakes
