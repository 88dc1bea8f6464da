#include "demo_recording/Synth.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace balalaika::synth {

double detuned(double hertz, double cents) { return hertz * std::pow(2.0, cents / 1200.0); }

namespace {

void addPluck(std::vector<float>& out, const Pluck& p, double rate) {
  const double f0 = detuned(p.hertz, p.detuneCents);
  std::vector<double> amplitude;
  std::vector<double> decay;
  double total = 0.0;
  for (int k = 1; k <= p.partials && k * f0 < rate / 2.0; ++k) {
    const double a = std::abs(std::sin(k * std::numbers::pi * p.pluckPosition)) / k;
    amplitude.push_back(a);
    decay.push_back(p.decaySeconds / (1.0 + 0.4 * (k - 1)));
    total += a;
  }
  if (total <= 0.0) return;
  const auto first = static_cast<std::size_t>(std::max(0.0, p.startSeconds * rate));
  const auto length = static_cast<std::size_t>(p.durationSeconds * rate);
  const double attack = 0.003 * rate;
  const double release = 0.010 * rate;
  for (std::size_t n = 0; n < length && first + n < out.size(); ++n) {
    const double t = static_cast<double>(n) / rate;
    double envelope = std::min(1.0, static_cast<double>(n) / attack);
    const double left = static_cast<double>(length - n);
    if (left < release) envelope *= left / release;
    double value = 0.0;
    for (std::size_t k = 0; k < amplitude.size(); ++k) {
      value += amplitude[k] * std::exp(-t / decay[k]) * std::sin(2.0 * std::numbers::pi * f0 * (k + 1) * t);
    }
    out[first + n] += static_cast<float>(p.level * envelope * value / total);
  }
}

}  // namespace

std::vector<float> render(const Score& score) {
  std::vector<float> out(static_cast<std::size_t>(score.seconds * score.sampleRate), 0.0f);
  for (const Pluck& p : score.plucks) addPluck(out, p, score.sampleRate);
  if (score.noiseLevel > 0.0) {
    std::mt19937 random(score.seed);
    std::normal_distribution<double> noise(0.0, score.noiseLevel);
    for (float& s : out) s += static_cast<float>(noise(random));
  }
  return out;
}

std::vector<float> sine(double hertz, double seconds, double sampleRate, double amplitude) {
  std::vector<float> out(static_cast<std::size_t>(seconds * sampleRate));
  for (std::size_t n = 0; n < out.size(); ++n) {
    out[n] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * hertz * static_cast<double>(n) / sampleRate));
  }
  return out;
}

std::vector<std::int16_t> toInt16(const std::vector<float>& samples) {
  std::vector<std::int16_t> out;
  out.reserve(samples.size());
  for (float s : samples) {
    out.push_back(static_cast<std::int16_t>(std::clamp(std::round(s * 32768.0f), -32768.0f, 32767.0f)));
  }
  return out;
}

bool writeAudioFile(const std::string& path, const std::vector<float>& samples, double sampleRate) {
  SF_INFO info{};
  info.samplerate = static_cast<int>(std::lround(sampleRate));
  info.channels = 1;
  const auto dot = path.rfind('.');
  const std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
  if (ext == "flac") {
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
  } else if (ext == "ogg") {
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
  } else {
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  }
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return false;
  const sf_count_t written = sf_write_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  sf_close(file);
  return written == static_cast<sf_count_t>(samples.size());
}

}  // namespace balalaika::synth
