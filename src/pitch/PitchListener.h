#pragma once
// The process-wide listener: records the microphone through an input queue, keeps the newest
// captured buffer of signed 16-bit mono samples and turns it, on request, into one frequency
// estimate in hertz; reports the queue's level meter as average and peak power.
//
// Capture: 16-bit signed mono linear PCM at 14039 Hz, three buffers of 8192 bytes (4096 samples,
// about 0.292 s each) circulating through the queue. The platform (audio session and input-queue
// factory) is installed once, before the first sharedListener; without it the listener still
// analyses buffers but has no session to configure and nothing to listen to.
//
// The estimate: the samples, unwindowed and zero-padded, go through a 32768-point real FFT;
// the linear magnitude spectrum M is summed with its maxima at two and three times each bin
// (harmonic sum H); the index of the largest H, times sampleRate / 32768, is the estimate.
//
// Threads: setAudioBuffer, isListening and listenerInputCallback run on the capture thread;
// everything else on the thread that asks for estimates (the main thread). sharedListener,
// allocate and installPlatform are safe from any thread (class-wide recursive lock). The instance
// lock guards only the stored buffer, its length and its count; the analysis runs outside it on
// scratch arrays of the single instance, so only one estimate may run at a time.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include <kissfft/kiss_fft.h>
#include <kissfft/kiss_fftr.h>

#include "platform/AudioFormat.h"
#include "platform/AudioInputQueue.h"
#include "platform/AudioSession.h"
#include "platform/LevelMeter.h"

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
  static constexpr int kCaptureBufferCount = 3;

  // Installs the audio session (may be null) and the input-queue factory the listener will use.
  // Call once, before the first sharedListener; once the listener exists the call changes nothing
  // and returns false.
  static bool installPlatform(std::shared_ptr<platform::AudioSession> session,
                              std::shared_ptr<platform::AudioInputQueueFactory> queues);

  // The one listener of the process, created (allocate, then init) on first use and never
  // destroyed. Copying is impossible, so a copy of the listener is always the listener itself.
  static PitchListener* sharedListener();
  // Creates the instance into the process-wide slot and returns it; nullptr when the slot is
  // already taken, so a second allocation yields nothing. sharedListener calls it.
  static PitchListener* allocate();

  // TEST ONLY: releases the listener in the slot (stops its queue, deactivates the session) and
  // forgets the installed platform, so that a test can start from a process without a listener.
  static void destroySharedListenerForTesting();

  PitchListener(const PitchListener&) = delete;
  PitchListener& operator=(const PitchListener&) = delete;

  // Configures the audio session (playback, then play-and-record to the speaker, activate).
  // Creates no queue. Returns this listener.
  PitchListener* init();
  // Creates the queue on first use and starts it.
  void listen();
  // Stops the queue immediately and keeps it; listen starts it again.
  void pause();
  // Disposes of the queue immediately; listen builds a new one.
  void stop();
  // True when a queue exists and its running flag can be read and is non-zero. Any thread.
  bool isListening() const;
  // The level states, one per channel: null when not listening, else freshly read.
  const platform::AudioQueueLevelMeterState* levels();
  void updateLevels();
  // Linear RMS and peak of channel 0 (0..1); 0.0 when not listening.
  float averagePower();
  float peakPower();

  void setupQueue();
  void setupFormat();
  void setupBuffers();
  void setupMetering();

  // The queue's input callback (capture thread): stores the filled buffer and enqueues it again,
  // only while the queue runs.
  static void listenerInputCallback(void* inUserData, platform::AudioInputQueue* inAQ,
                                    platform::AudioQueueBuffer* inBuffer);

  // Capture thread. Stores a copy of a filled buffer (length in bytes); a buffer longer than
  // kMaxBufferBytes is cut to what the listener holds.
  void setAudioBuffer(const std::int16_t* data, std::uint32_t length);

  // Estimate in hertz from the newest stored buffer; 0 before any buffer is stored. A buffer
  // already estimated (ticks come faster than buffers) is not analysed again: its estimate and
  // spectra are still those of the last estimate.
  float frequency();
  // Buffers are numbered as they are stored, from 1. Copies the newest stored buffer, at most
  // capacity samples, into out under the instance lock, unless it is the buffer numbered
  // `have` (already read). Returns its number (0 before any) and the samples copied (none when
  // it was not copied).
  struct NewestBuffer {
    std::uint64_t number = 0;
    std::uint32_t count = 0;
  };
  NewestBuffer copyNewestSamples(std::int16_t* out, std::uint32_t capacity, std::uint64_t have = 0);
  // The newest estimate refined below one bin (0.43 Hz, 18 cents at E1), in hertz: the vertex of
  // the parabola through the harmonic-sum peak and its two neighbours. The harmonic sum gathers
  // the partials that leak into the fundamental's lobe on low strings, so it places the peak
  // better than the fundamental's own bins. 0 when the arrays hold no estimate.
  double refinedFrequency() const;

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
  double* freq_db() {
    forgetEstimate();  // the caller may change the spectrum
    return freq_db_.get();
  }
  const double* freq_db_harmonic() const { return freq_db_harmonic_.get(); }

  // Hamming window value for sample n of N. Offered; the estimate does not window.
  static double hamming_window(std::int16_t n, std::int16_t N);
  // Windows samples in place; fewer than two samples are left as they are.
  static void performWindow(std::int16_t* samples, std::uint32_t totalSamples);

  const platform::AudioStreamBasicDescription& format() const { return format_; }
  // The current queue (nullptr when none); for inspection.
  platform::AudioInputQueue* queue() const { return queue_.load(); }

 private:
  PitchListener();
  ~PitchListener();

  // Capture members.
  std::unique_ptr<platform::AudioQueueLevelMeterState[]> levels_;
  // Owned; atomic because the capture thread reads it in isListening while the main thread may
  // replace it (never while a callback can run: disposal joins the capture thread first).
  std::atomic<platform::AudioInputQueue*> queue_{nullptr};
  platform::AudioStreamBasicDescription format_;
  std::shared_ptr<platform::AudioSession> session_;
  std::shared_ptr<platform::AudioInputQueueFactory> queueFactory_;

  // Analysis members.
  struct PlanRelease {
    void operator()(kiss_fftr_state* plan) const { kiss_fftr_free(plan); }
  };
  std::mutex bufferMutex_;  // guards audio_data_, audio_data_len_ and stored_ only
  std::unique_ptr<std::int16_t[]> audio_data_;
  std::uint32_t audio_data_len_ = 0;
  std::uint64_t stored_ = 0;  // buffers stored so far: names the one in audio_data_
  // The stored buffer the analysis arrays hold the estimate of, and that estimate; empty when
  // they hold anything else. Analysis thread only.
  struct Estimated {
    std::uint64_t stored;
    float hertz;
  };
  std::optional<Estimated> estimated_;
  std::uint32_t peakBin_ = 0;  // harmonic-sum peak of the estimate the arrays hold; 0 for none
  // The arrays are about to hold something other than an estimate of a stored buffer.
  void forgetEstimate() {
    estimated_ = std::nullopt;
    peakBin_ = 0;
  }
  std::unique_ptr<std::int16_t[]> audio_copy_;  // frequency()'s private copy
  std::unique_ptr<float[]> in_fft_;
  std::uint32_t in_fft_used_ = 0;  // in_fft_ is zero from here on
  std::unique_ptr<kiss_fft_cpx[]> out_fft_;  // the transform fills entries 0..16384
  std::unique_ptr<double[]> freq_db_;
  std::unique_ptr<double[]> freq_db_harmonic_;
  // The forward real-transform plan for kFftLength points, made once with the listener: making
  // it costs more than the transform itself. Null only when it could not be allocated.
  std::unique_ptr<kiss_fftr_state, PlanRelease> plan_;
};

}  // namespace balalaika
