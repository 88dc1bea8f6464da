#include "platform/Resample.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>

namespace balalaika::platform {
namespace {

std::int16_t toInt16(float sample) {
  const float scaled = std::round(sample * 32768.0f);
  return static_cast<std::int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

}  // namespace

std::vector<std::int16_t> resampleToInt16(const float* samples, std::size_t count, double fromRate, double toRate) {
  std::vector<std::int16_t> out;
  if (count == 0 || fromRate <= 0.0 || toRate <= 0.0) return out;
  if (fromRate == toRate) {
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) out.push_back(toInt16(samples[i]));
    return out;
  }
  const auto capacity = static_cast<std::size_t>(std::ceil(static_cast<double>(count) * toRate / fromRate)) + 16;
  std::vector<float> converted(capacity);
  std::size_t produced = 0;
  const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
  const soxr_error_t error = soxr_oneshot(fromRate, toRate, 1, samples, count, nullptr, converted.data(),
                                          converted.size(), &produced, nullptr, &quality, nullptr);
  if (error != nullptr) return out;
  out.reserve(produced);
  for (std::size_t i = 0; i < produced; ++i) out.push_back(toInt16(converted[i]));
  return out;
}

}  // namespace balalaika::platform
