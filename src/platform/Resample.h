#pragma once
// Whole-recording rate conversion to the tuner's 16-bit samples (libsoxr, high quality).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace balalaika::platform {

// Converts mono float samples (full scale +-1.0) from one rate to another and to 16 bits, rounded
// and clipped. Equal rates only round and clip. Used for files and for capture devices that
// refuse the rate.
std::vector<std::int16_t> resampleToInt16(const float* samples, std::size_t count, double fromRate, double toRate);

}  // namespace balalaika::platform
