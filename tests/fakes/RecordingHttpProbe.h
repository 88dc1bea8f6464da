#pragma once
// A probe that records the requests it is asked to start. Safe from any thread.

#include <mutex>
#include <vector>

#include "platform/HttpProbe.h"

namespace balalaika::fakes {

class RecordingHttpProbe : public platform::HttpProbe {
 public:
  bool start(const platform::ProbeRequest& request) override {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    return created_;
  }

  // Whether start() reports the request object as created.
  void setCreated(bool created) {
    std::lock_guard lock(mutex_);
    created_ = created;
  }
  std::vector<platform::ProbeRequest> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<platform::ProbeRequest> requests_;
  bool created_ = true;
};

}  // namespace balalaika::fakes
