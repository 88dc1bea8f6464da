#pragma once
// The speaker through Qt Multimedia: a QAudioSink in pull mode on a render thread of its own,
// pulling float mono samples from the render callback. The sink reads a QIODevice whose readData
// asks the callback for the requested frames (at most kMaxFramesPerRequest per request) and lets
// it write straight into the sink's memory: nothing is allocated on the audio path.
//
// Stream format: 32-bit float, mono, at the sample rate set with setStreamFormat (44100 Hz
// until set); other sample layouts are refused. The sink's buffer is never below 17640 bytes
// (pull mode stalls below that).
//
// Threads: every call except the render callback on the main thread. start creates the sink on
// the render thread; stop and the destructor wait until it is gone, so no render callback runs
// after they return.

#include <QIODevice>
#include <QThread>
#include <atomic>
#include <memory>

#include "platform/AudioOutputUnit.h"

namespace balalaika::qt {

class RenderWorker;

// Render thread: the sink reads from here; each read is one render request.
class RenderDevice : public QIODevice {
 public:
  static constexpr std::uint32_t kMaxFramesPerRequest = 4096;

  void setCallback(platform::AURenderCallback callback, void* refCon);
  // Frames rendered since the last reset (the time stamp of the next request).
  double sampleTime() const { return sampleTime_; }
  void resetTime() { sampleTime_ = 0.0; }

  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override { return kMaxFramesPerRequest * sizeof(float) + QIODevice::bytesAvailable(); }

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  platform::AURenderCallback callback_ = nullptr;
  void* refCon_ = nullptr;
  double sampleTime_ = 0.0;
};

class QtAudioOutputUnit : public platform::AudioOutputUnit {
 public:
  static constexpr int kMinBufferBytes = 17640;

  QtAudioOutputUnit();
  ~QtAudioOutputUnit() override;

  int setRenderCallback(platform::AURenderCallback callback, void* refCon) override;
  int setStreamFormat(const platform::AudioStreamBasicDescription& format) override;
  int initialize() override;
  int start() override;
  int stop() override;
  int uninitialize() override;

  bool isRunning() const { return running_.load(); }
  double sampleRate() const { return format_.mSampleRate; }

 private:
  platform::AudioStreamBasicDescription format_;
  platform::AURenderCallback callback_ = nullptr;
  void* refCon_ = nullptr;
  bool initialized_ = false;
  std::atomic<bool> running_{false};
  QThread thread_;
  RenderWorker* worker_ = nullptr;  // lives on thread_
};

class QtAudioOutputComponent : public platform::AudioOutputComponent {
 public:
  // Any output-type description matches (the desktop has one output path); others give nullptr.
  std::unique_ptr<platform::AudioOutputUnit> newInstance(const platform::AudioComponentDescription& description) override;
};

}  // namespace balalaika::qt
