#pragma once
// Makes microphone queues on the capture device chosen at creation: the source named by the
// environment variable BALALAIKA_TUNER_AUDIO_SOURCE when set, else PulseAudio's default source
// (asked of `pactl get-default-source`, because Qt's default input ignores it), else Qt's default
// input. The name is matched against QAudioDevice::id(). Main thread only.

#include <QAudioDevice>

#include "platform/AudioInputQueue.h"

namespace balalaika::qt {

class QtAudioInputQueueFactory : public platform::AudioInputQueueFactory {
 public:
  struct Options {
    bool preferDeviceFormat = false;  // record the device's own format and convert (tests)
  };
  QtAudioInputQueueFactory() : QtAudioInputQueueFactory(Options{}) {}
  explicit QtAudioInputQueueFactory(Options options) : options_(options) {}

  std::unique_ptr<platform::AudioInputQueue> newInput(const platform::AudioStreamBasicDescription& format,
                                                      platform::AudioQueueInputCallback callback,
                                                      void* userData) override;

  // The device the next queue will record from; null when there is none.
  static QAudioDevice chooseDevice();

 private:
  Options options_;
};

}  // namespace balalaika::qt
