#include "pitch/PitchListener.h"

#include <kissfft/kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "pitch/ParabolaPeak.h"

namespace balalaika {

PitchListener::PitchListener()
    : audio_data_(new std::int16_t[kMaxBufferSamples]()),
      audio_copy_(new std::int16_t[kMaxBufferSamples]()),
      in_fft_(new float[kFftLength]()),
      out_fft_(new kiss_fft_cpx[kFftLength]()),
      freq_db_(new double[kSpectrumBins]()),
      freq_db_harmonic_(new double[kSpectrumBins]()),
      plan_(kiss_fftr_alloc(static_cast<int>(kFftLength), 0, nullptr, nullptr)) {
  // The analysis converts bins to hertz with the capture rate, also before any capture.
  setupFormat();
}

void PitchListener::setAudioBuffer(const std::int16_t* data, std::uint32_t length) {
  const std::uint32_t stored = std::min(length, kMaxBufferBytes);
  std::lock_guard lock(bufferMutex_);
  if (stored > 0) std::memcpy(audio_data_.get(), data, stored);
  audio_data_len_ = stored;
  ++stored_;
}

float PitchListener::frequency() {
  std::uint32_t length = 0;
  std::uint64_t stored = 0;
  {
    std::lock_guard lock(bufferMutex_);
    stored = stored_;
    if (estimated_ && estimated_->stored == stored) return estimated_->hertz;
    std::memcpy(audio_copy_.get(), audio_data_.get(), kMaxBufferBytes);
    length = audio_data_len_;
  }
  if (length == 0) {
    forgetEstimate();
    return 0.0f;
  }
  const float hertz = getFreqFromBuffer(audio_copy_.get(), std::min(length, kMaxBufferBytes));
  estimated_ = Estimated{stored, hertz};
  return hertz;
}

PitchListener::NewestBuffer PitchListener::copyNewestSamples(std::int16_t* out, std::uint32_t capacity,
                                                             std::uint64_t have) {
  std::lock_guard lock(bufferMutex_);
  if (stored_ == have) return NewestBuffer{stored_, 0};
  const std::uint32_t count = std::min(audio_data_len_ / 2, capacity);
  if (count > 0) std::memcpy(out, audio_data_.get(), count * sizeof(std::int16_t));
  return NewestBuffer{stored_, count};
}

float PitchListener::getFreqFromBuffer(const std::int16_t* samples, std::uint32_t length) {
  // Nothing is zeroed up front: performFFT keeps the input's padding zero and overwrites the
  // output and magnitudes it reads, and addHarmonics overwrites the harmonic sum.
  performFFT(samples, length / 2);
  addHarmonics();
  const std::uint32_t bin = findTopSpike();
  peakBin_ = bin;
  const double hertz = static_cast<double>(static_cast<float>(bin)) * format_.mSampleRate * kBinToHertzScale;
  return static_cast<float>(hertz);
}

void PitchListener::performFFT(const std::int16_t* samples, std::uint32_t totalSamples) {
  forgetEstimate();
  const std::uint32_t n = std::min(totalSamples, kFftLength);
  for (std::uint32_t i = 0; i < n; ++i) in_fft_[i] = static_cast<float>(samples[i]);
  // Only what an earlier, longer input left behind needs zeroing; the rest of the padding is zero.
  if (in_fft_used_ > n) std::fill(in_fft_.get() + n, in_fft_.get() + in_fft_used_, 0.0f);
  in_fft_used_ = n;

  if (!plan_) {  // no memory for the plan: the spectrum is zero and the estimate 0 Hz
    std::fill_n(freq_db_.get(), kSpectrumBins, 0.0);
    return;
  }
  kiss_fftr(plan_.get(), in_fft_.get(), out_fft_.get());

  for (std::uint32_t k = 0; k < kSpectrumBins; ++k) {
    const double r = out_fft_[k].r;
    const double i = out_fft_[k].i;
    freq_db_[k] = std::sqrt(r * r + i * i) * kMagnitudeScale;
  }
}

namespace {

// Adds to h[j] the maximum of m over the bins i whose i / Divisor rounds (halves away from zero)
// to j, held as a 32-bit integer while the group is scanned, so each term loses its fraction.
template <std::uint32_t Divisor>
void addHarmonicTerms(const double* m, double* h, std::uint32_t bins) {
  std::uint32_t group = 0;
  std::int32_t groupMax = 0;
  for (std::uint32_t i = 0; i < bins; ++i) {
    // round(i / Divisor) for i >= 0, in integers: exact, and no library call per bin.
    const std::uint32_t t = (2 * i + Divisor) / (2 * Divisor);
    if (t > group) {
      h[group] += static_cast<double>(groupMax);
      group = t;
      groupMax = 0;
    }
    const double current = static_cast<double>(groupMax);
    const double larger = m[i] > current ? m[i] : current;  // NaN keeps the group maximum
    groupMax = static_cast<std::int32_t>(larger);
  }
  // The group still open when the scan ends is not added.
}

}  // namespace

void PitchListener::addHarmonics() {
  const double* m = freq_db_.get();
  double* h = freq_db_harmonic_.get();
  std::copy_n(m, kSpectrumBins, h);
  addHarmonicTerms<2>(m, h, kSpectrumBins);
  addHarmonicTerms<3>(m, h, kSpectrumBins);
}

namespace {

// Offset of the peak between bins, within ±0.5; 0 when centre is not a peak.
double peakOffset(double left, double centre, double right) {
  if (!(centre >= left && centre >= right)) return 0.0;
  return parabolaPeak(left, centre, right, 0.5).offset;
}

}  // namespace

double PitchListener::refinedFrequency() const {
  const std::uint32_t k = peakBin_;
  if (k == 0 || k + 1 >= kSpectrumBins) return 0.0;
  const double* h = freq_db_harmonic_.get();
  return (k + peakOffset(h[k - 1], h[k], h[k + 1])) * format_.mSampleRate * kBinToHertzScale;
}

std::uint32_t PitchListener::findTopSpike() const {
  double best = 0.0;
  std::uint32_t index = 0;
  for (std::uint32_t i = 0; i < kSpectrumBins; ++i) {
    if (freq_db_harmonic_[i] > best) {
      best = freq_db_harmonic_[i];
      index = i;
    }
  }
  return index;
}

double PitchListener::hamming_window(std::int16_t n, std::int16_t N) {
  const std::int32_t last = static_cast<std::int32_t>(N) - 1;
  return 0.54 + (-0.46) * std::cos((6.283185308 / static_cast<double>(last)) * static_cast<double>(n));
}

void PitchListener::performWindow(std::int16_t* samples, std::uint32_t totalSamples) {
  const auto count = static_cast<std::int16_t>(totalSamples);
  // A window of one sample divides by zero (N - 1 = 0); such input is left unchanged.
  if (count == 1) return;
  for (std::uint32_t i = 0; i < totalSamples; ++i) {
    const double w = hamming_window(static_cast<std::int16_t>(i), count);
    samples[i] = static_cast<std::int16_t>(w * samples[i]);
  }
}

}  // namespace balalaika
