#pragma once
// A small synthesiser for test audio: plucked strings with harmonics and decay, noise and
// silence, at any pitch, detune and level. Output is mono float at full scale +-1.0.

#include <cstdint>
#include <string>
#include <vector>

namespace balalaika::synth {

struct Pluck {
  double hertz = 440.0;
  double startSeconds = 0.0;
  double durationSeconds = 1.0;  // the note is cut (with a 10 ms release) after this
  double level = 0.5;            // peak amplitude at the attack, full scale 1.0
  double detuneCents = 0.0;
  int partials = 12;
  double decaySeconds = 1.5;    // time constant of the fundamental; higher partials die faster
  double pluckPosition = 0.18;  // fraction of the string length; shapes the harmonic spectrum
};

struct Score {
  double sampleRate = 14039.0;
  double seconds = 1.0;
  std::vector<Pluck> plucks;
  double noiseLevel = 0.0;  // RMS of white noise over the whole score
  std::uint32_t seed = 1;
};

double detuned(double hertz, double cents);

std::vector<float> render(const Score& score);
std::vector<float> sine(double hertz, double seconds, double sampleRate, double amplitude);
std::vector<std::int16_t> toInt16(const std::vector<float>& samples);

// Writes 16-bit PCM; the format follows the extension (.wav, .flac, .ogg). Returns success.
bool writeAudioFile(const std::string& path, const std::vector<float>& samples, double sampleRate);

}  // namespace balalaika::synth
