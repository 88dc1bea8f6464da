// decodeAudioFile for builds without libsndfile (the WebAssembly build): reads RIFF WAVE files,
// integer PCM of 8, 16, 24 or 32 bits or 32-bit float, any rate, any channel count. Samples are
// scaled to floats as libsndfile scales them (an integer over 2^(bits-1)), so the same file
// gives the same samples as on the desktop; then mixed to mono and converted to the capture rate
// by the same code.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/AudioFileDecoder.h"

namespace balalaika::platform {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t readLe(const unsigned char* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

struct WavFormat {
  std::uint16_t tag = 0;
  int channels = 0;
  int rate = 0;
  int bits = 0;
};

// One sample at p in the format's encoding, full scale +-1.0.
float sampleAt(const unsigned char* p, const WavFormat& f) {
  switch (f.bits) {
    case 8:
      return static_cast<float>(static_cast<int>(p[0]) - 128) * (1.0f / 0x80);
    case 16:
      return static_cast<float>(static_cast<std::int16_t>(readLe(p, 2))) * (1.0f / 0x8000);
    case 24:
      return static_cast<float>(static_cast<std::int32_t>(readLe(p, 3) << 8)) * (1.0f / 0x80000000u);
    default:
      if (f.tag == kFormatFloat) {
        float v;
        const std::uint32_t bits = readLe(p, 4);
        std::memcpy(&v, &bits, 4);
        return v;
      }
      return static_cast<float>(static_cast<std::int32_t>(readLe(p, 4))) * (1.0f / 0x80000000u);
  }
}

bool supported(const WavFormat& f) {
  if (f.channels < 1 || f.rate < 1) return false;
  if (f.tag == kFormatFloat) return f.bits == 32;
  return f.tag == kFormatPcm && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
}

}  // namespace

DecodedAudio decodeAudioFile(const std::string& path, double targetSampleRate) {
  DecodedAudio result;
  result.sampleRate = targetSampleRate;
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.is_open() || bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    result.error = "cannot read audio file '" + path + "': not a WAV file";
    return result;
  }

  WavFormat format;
  const unsigned char* data = nullptr;
  std::size_t dataBytes = 0;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const unsigned char* chunk = bytes.data() + at;
    const std::size_t size = readLe(chunk + 4, 4);
    const std::size_t available = std::min(size, bytes.size() - at - 8);
    if (std::memcmp(chunk, "fmt ", 4) == 0 && available >= 16) {
      format.tag = static_cast<std::uint16_t>(readLe(chunk + 8, 2));
      format.channels = static_cast<int>(readLe(chunk + 10, 2));
      format.rate = static_cast<int>(readLe(chunk + 12, 4));
      format.bits = static_cast<int>(readLe(chunk + 22, 2));
      // The extensible header names the real format in the first two bytes of its sub-format.
      if (format.tag == kFormatExtensible && available >= 26) format.tag = static_cast<std::uint16_t>(readLe(chunk + 32, 2));
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      data = chunk + 8;
      dataBytes = available;
    }
    at += 8 + size + (size & 1);
  }
  if (!supported(format)) {
    result.error = "cannot read audio file '" + path + "': unsupported WAV encoding";
    return result;
  }
  const auto channels = static_cast<std::size_t>(format.channels);
  const std::size_t frameBytes = channels * static_cast<std::size_t>(format.bits / 8);
  const std::size_t frames = data == nullptr ? 0 : dataBytes / frameBytes;
  if (frames == 0) {
    result.error = "audio file '" + path + "' holds no audio";
    return result;
  }

  std::vector<float> mono(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    float sum = 0.0f;
    for (std::size_t c = 0; c < channels; ++c) sum += sampleAt(data + i * frameBytes + c * (format.bits / 8), format);
    mono[i] = sum / static_cast<float>(channels);
  }
  result.samples = resampleToInt16(mono.data(), mono.size(), format.rate, targetSampleRate);
  if (result.samples.empty()) result.error = "cannot convert audio file '" + path + "' to the capture rate";
  return result;
}

}  // namespace balalaika::platform
