#pragma once
// The microphone through Qt Multimedia: a QAudioSource on a capture thread of its own, whose
// chunks (about 50 ms each) are gathered into the queue's buffers; each filled buffer goes to the
// input callback on that thread. When the device refuses the requested format, it records in its
// preferred format and the chunks are converted (libsoxr) so that the callback still sees exactly
// the requested format (16-bit mono at the requested rate).
//
// Level meter: linear RMS and peak of the newest filled buffer, over 32768.
//
// Failure: with no capture device, or when the source stops with an error (the audio server went
// away), the queue reports not running, its level reads zero and one line on the log says why.
// When no data has arrived for a second while running, the level reads zero too, so a silent
// device never shows a stale level.
//
// Threads: as AudioInputQueue. The front object lives on the main thread; the capture thread
// exists from construction to destruction.

#include <QAudioDevice>
#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

#include "platform/AudioInputQueue.h"
#include "platform/InputBufferLine.h"

namespace balalaika::qt {

class CaptureWorker;

class QtAudioInputQueue : public QObject, public platform::AudioInputQueue {
  Q_OBJECT

 public:
  // device may be null (no capture device). preferDeviceFormat records in the device's preferred
  // format and converts even when the requested format is accepted (to exercise the conversion).
  QtAudioInputQueue(const QAudioDevice& device, const platform::AudioStreamBasicDescription& format,
                    platform::AudioQueueInputCallback callback, void* userData, bool preferDeviceFormat = false);
  ~QtAudioInputQueue() override;

  int allocateBuffer(std::uint32_t byteCapacity, platform::AudioQueueBuffer** outBuffer) override;
  int enqueueBuffer(platform::AudioQueueBuffer* buffer) override;
  int start() override;
  int stop(bool immediate) override;
  std::optional<std::uint32_t> isRunning() const override;
  int setLevelMeteringEnabled(std::uint32_t enabled) override;
  int currentLevelMeter(platform::AudioQueueLevelMeterState* levels, std::uint32_t channelCount) override;

  // True when the device's own format is recorded and converted (after start).
  bool converting() const;

 private:
  void reportFailure(const QString& reason);  // main thread

  friend class CaptureWorker;
  platform::InputBufferLine line_;
  std::atomic<std::uint32_t> running_{0};
  platform::AudioStreamBasicDescription format_;
  platform::AudioQueueInputCallback callback_;
  void* userData_;
  QThread thread_;
  CaptureWorker* worker_ = nullptr;  // lives on thread_
  bool failureReported_ = false;
};

}  // namespace balalaika::qt
