#include "platform/CaptureConverter.h"

#include <soxr.h>

#include <cmath>
#include <cstring>

namespace balalaika::platform {
namespace {

std::size_t sampleBytes(CaptureSampleType type) {
  switch (type) {
    case CaptureSampleType::UInt8: return 1;
    case CaptureSampleType::Int16: return 2;
    case CaptureSampleType::Int32: return 4;
    case CaptureSampleType::Float32: return 4;
  }
  return 2;
}

float sampleAt(const unsigned char* p, CaptureSampleType type) {
  switch (type) {
    case CaptureSampleType::UInt8: return (static_cast<float>(*p) - 128.0f) / 128.0f;
    case CaptureSampleType::Int16: {
      std::int16_t v;
      std::memcpy(&v, p, sizeof v);
      return static_cast<float>(v) / 32768.0f;
    }
    case CaptureSampleType::Int32: {
      std::int32_t v;
      std::memcpy(&v, p, sizeof v);
      return static_cast<float>(static_cast<double>(v) / 2147483648.0);
    }
    case CaptureSampleType::Float32: {
      float v;
      std::memcpy(&v, p, sizeof v);
      return v;
    }
  }
  return 0.0f;
}

}  // namespace

CaptureConverter::CaptureConverter(double inputRate, int channels, CaptureSampleType type, double outputRate,
                                   std::size_t maxInputFrames)
    : channels_(channels < 1 ? 1 : channels),
      type_(type),
      maxInputFrames_(maxInputFrames < 1 ? 1 : maxInputFrames),
      frameBytes_(sampleBytes(type) * static_cast<std::size_t>(channels_)),
      outputCapacity_(static_cast<std::size_t>(std::ceil(static_cast<double>(maxInputFrames_) * outputRate /
                                                         (inputRate > 0.0 ? inputRate : outputRate))) + 64),
      mono_(new float[maxInputFrames_]()),
      output_(new std::int16_t[outputCapacity_]()) {
  if (!(inputRate > 0.0) || !(outputRate > 0.0)) {
    error_ = "invalid sample rate";
    return;
  }
  soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_INT16_I);
  io.flags |= SOXR_NO_DITHER;  // silence stays digital silence
  const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
  soxr_error_t failure = nullptr;
  resampler_ = soxr_create(inputRate, outputRate, 1, &failure, &io, &quality, nullptr);
  if (failure != nullptr) {
    error_ = failure;
    resampler_ = nullptr;
  }
}

CaptureConverter::~CaptureConverter() {
  if (resampler_ != nullptr) soxr_delete(static_cast<soxr_t>(resampler_));
}

void CaptureConverter::mixToMono(const unsigned char* input, std::size_t frames) {
  const std::size_t step = sampleBytes(type_);
  for (std::size_t f = 0; f < frames; ++f) {
    float sum = 0.0f;
    for (int c = 0; c < channels_; ++c) sum += sampleAt(input + f * frameBytes_ + static_cast<std::size_t>(c) * step, type_);
    mono_[f] = sum / static_cast<float>(channels_);
  }
}

std::size_t CaptureConverter::resample(std::size_t offset, std::size_t frames, std::size_t& used) {
  used = 0;
  if (resampler_ == nullptr) return 0;
  std::size_t produced = 0;
  soxr_process(static_cast<soxr_t>(resampler_), mono_.get() + offset, frames, &used, output_.get(), outputCapacity_,
               &produced);
  return produced;
}

}  // namespace balalaika::platform
