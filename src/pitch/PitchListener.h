#pragma once
// The process-wide listener: keeps the newest captured buffer of signed 16-bit mono samples
// and turns it, on request, into one frequency estimate in hertz.
//
// The estimate: the samples, unwindowed and zero-padded, go through a 32768-point real FFT;
// the linear magnitude spectrum M is summed with its maxima at two and three times each bin
// (harmonic sum H); the index of the largest H, times sampleRate / 32768, is the estimate.
//
// Threads: setAudioBuffer runs on the capture thread; everything else on the thread that asks
// for estimates (the main thread). The instance lock guards only the stored buffer and its
// length; the analysis runs outside it on scratch arrays of the single instance, so only one
// estimate may run at a time.

#include <cstdint>
#include <memory>
#include <mutex>

#include <kissfft/kiss_fft.h>

#include "platform/AudioFormat.h"

namespace balalaika {

class PitchListener {
 public:
  static constexpr std::uint32_t kMaxBufferBytes = 8192;  // one capture buffer
  static constexpr std::uint32_t kMaxBufferSamples = kMaxBufferBytes / 2;
  static constexpr std::uint32_t kFftLength = 32768;
  static constexpr std::uint32_t kSpectrumBins = 16384;  // bins 0..16383; Nyquist dropped
  static constexpr double kMagnitudeScale = 6.103515625e-05;  // 2^-14
  static constexpr double kBinToHertzScale = 3.0517578125e-05;  // 2^-15, times the sample rate
  static constexpr double kCaptureSampleRate = 14039.0;

  // The one listener of the process, created on first use and never destroyed.
  static PitchListener* sharedListener();

  PitchListener(const PitchListener&) = delete;
  PitchListener& operator=(const PitchListener&) = delete;

  // Capture thread. Stores a copy of a filled buffer (length in bytes); a buffer longer than
  // kMaxBufferBytes is cut to what the listener holds.
  void setAudioBuffer(const std::int16_t* data, std::uint32_t length);

  // Estimate in hertz from the newest stored buffer; 0 before any buffer is stored.
  float frequency();

  // Estimate in hertz from samples; length in bytes (length / 2 samples, at most kFftLength
  // of them are transformed).
  float getFreqFromBuffer(const std::int16_t* samples, std::uint32_t length);
  // Fills in_fft (samples, zero-padded to kFftLength), out_fft and freq_db.
  void performFFT(const std::int16_t* samples, std::uint32_t totalSamples);
  // Fills freq_db_harmonic from freq_db.
  void addHarmonics();
  // Index of the largest harmonic-sum bin; the lowest of equal maxima; 0 when none exceeds 0.
  std::uint32_t findTopSpike() const;

  // kSpectrumBins values each; valid for the listener's lifetime, holding the latest estimate.
  const double* freq_db() const { return freq_db_.get(); }
  double* freq_db() { return freq_db_.get(); }
  const double* freq_db_harmonic() const { return freq_db_harmonic_.get(); }

  // Hamming window value for sample n of N. Offered; the estimate does not window.
  static double hamming_window(std::int16_t n, std::int16_t N);
  // Windows samples in place; fewer than two samples are left as they are.
  static void performWindow(std::int16_t* samples, std::uint32_t totalSamples);

  const platform::AudioStreamBasicDescription& format() const { return format_; }

 private:
  PitchListener();

  // Capture members.
  platform::AudioStreamBasicDescription format_;

  // Analysis members.
  std::mutex bufferMutex_;  // guards audio_data_ and audio_data_len_ only
  std::unique_ptr<std::int16_t[]> audio_data_;
  std::uint32_t audio_data_len_ = 0;
  std::unique_ptr<std::int16_t[]> audio_copy_;  // frequency()'s private copy
  std::unique_ptr<float[]> in_fft_;
  std::unique_ptr<kiss_fft_cpx[]> out_fft_;  // the transform fills entries 0..16384
  std::unique_ptr<double[]> freq_db_;
  std::unique_ptr<double[]> freq_db_harmonic_;
};

}  // namespace balalaika
