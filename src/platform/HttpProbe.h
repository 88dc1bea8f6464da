#pragma once
// A fire-and-forget HTTP request whose outcome nobody observes. Callable from any thread.

#include <string>

namespace balalaika::platform {

enum class ProbeCachePolicy {
  UseProtocolDefault = 0,
  AlwaysNetwork = 1,  // reload from the network, ignoring any locally cached data
};

struct ProbeRequest {
  std::string url;
  ProbeCachePolicy cachePolicy = ProbeCachePolicy::AlwaysNetwork;
  double timeoutSeconds = 20.0;
};

class HttpProbe {
 public:
  virtual ~HttpProbe() = default;
  // Starts the request and returns at once, never waiting for an answer. Returns whether the
  // request object was created; nothing else about the request is ever reported.
  virtual bool start(const ProbeRequest& request) = 0;
};

}  // namespace balalaika::platform
