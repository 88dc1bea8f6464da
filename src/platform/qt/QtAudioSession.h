#pragma once
// The audio session on the desktop: there is nothing to configure, so the settings made are
// recorded and every call succeeds. One thing is real: when the audio output device in use
// disappears from Qt's device list (unplugged or removed), the C-style interruption listener hears
// the beginning of an interruption, as a phone's session reports a lost route. Qt's device list is
// looked at on every change Qt signals and once a second (from initialize on).
//
// Threads: main thread; the interruption listener is called on the main thread.

#include <QByteArray>
#include <QObject>
#include <cstdint>

#include "platform/AudioSession.h"

class QMediaDevices;

namespace balalaika::qt {

class QtAudioSession : public QObject, public platform::AudioSession {
  Q_OBJECT

 public:
  explicit QtAudioSession(QObject* parent = nullptr);
  ~QtAudioSession() override;

  std::optional<platform::AudioSessionError> setCategory(platform::AudioSessionCategory category,
                                                         std::uint32_t options = 0) override;
  std::optional<platform::AudioSessionError> setMode(platform::AudioSessionMode mode) override;
  std::optional<platform::AudioSessionError> setActive(bool active) override;

  int initialize(InterruptionListener listener) override;
  int setAudioCategoryProperty(std::uint32_t category) override;
  int setActiveC(bool active) override;

  // The settings made, last one wins.
  platform::AudioSessionCategory category() const { return category_; }
  std::uint32_t categoryOptions() const { return categoryOptions_; }
  platform::AudioSessionMode mode() const { return mode_; }
  bool isActive() const { return active_; }
  std::uint32_t audioCategoryProperty() const { return audioCategoryProperty_; }

  // Looks at the output devices again (also called whenever Qt reports a change).
  void checkOutputs();

 private:
  platform::AudioSessionCategory category_ = platform::AudioSessionCategory::Playback;
  std::uint32_t categoryOptions_ = 0;
  platform::AudioSessionMode mode_ = platform::AudioSessionMode::Default;
  bool active_ = false;
  std::uint32_t audioCategoryProperty_ = 0;
  InterruptionListener listener_;
  QMediaDevices* devices_ = nullptr;
  QByteArray outputInUse_;  // id of the default output when last looked at
};

}  // namespace balalaika::qt
