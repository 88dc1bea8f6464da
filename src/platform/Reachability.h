#pragma once
// Network reachability of an address, as flags. Callable from any thread.

#include <cstdint>
#include <optional>

namespace balalaika::platform {

// Reachability flag bits.
inline constexpr std::uint32_t kReachabilityTransientConnection = 1;
inline constexpr std::uint32_t kReachabilityReachable = 2;
inline constexpr std::uint32_t kReachabilityConnectionRequired = 4;

// An IPv4 socket address as the reachability query takes it (length in bytes, address family,
// port and address in host order). The default value is the zero address 0.0.0.0, port 0,
// which asks about the network in general rather than about one host.
struct SocketAddressV4 {
  std::uint8_t length = 16;
  std::uint8_t family = 2;  // AF_INET
  std::uint16_t port = 0;
  std::uint32_t address = 0;
  bool operator==(const SocketAddressV4&) const = default;
};

class Reachability {
 public:
  virtual ~Reachability() = default;
  // The current flags for the address, or nothing when they cannot be read.
  virtual std::optional<std::uint32_t> flagsForAddress(const SocketAddressV4& address) const = 0;
};

}  // namespace balalaika::platform
