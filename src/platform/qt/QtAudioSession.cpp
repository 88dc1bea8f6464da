#include "platform/qt/QtAudioSession.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QTimer>

namespace balalaika::qt {
namespace {
constexpr int kOutputPollMs = 1000;
}  // namespace

QtAudioSession::QtAudioSession(QObject* parent) : QObject(parent) {}

QtAudioSession::~QtAudioSession() = default;

std::optional<platform::AudioSessionError> QtAudioSession::setCategory(platform::AudioSessionCategory category,
                                                                       std::uint32_t options) {
  category_ = category;
  categoryOptions_ = options;
  return std::nullopt;
}

std::optional<platform::AudioSessionError> QtAudioSession::setMode(platform::AudioSessionMode mode) {
  mode_ = mode;
  return std::nullopt;
}

std::optional<platform::AudioSessionError> QtAudioSession::setActive(bool active) {
  active_ = active;
  return std::nullopt;
}

int QtAudioSession::initialize(InterruptionListener listener) {
  listener_ = std::move(listener);
  if (devices_ == nullptr) {
    devices_ = new QMediaDevices(this);
    connect(devices_, &QMediaDevices::audioOutputsChanged, this, [this] { checkOutputs(); });
    // Qt 6.4 with PulseAudio updates its device list but does not always signal the change, so the
    // list (a cached copy, cheap to read) is also looked at once a second.
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this] { checkOutputs(); });
    poll->start(kOutputPollMs);
  }
  outputInUse_ = QMediaDevices::defaultAudioOutput().id();
  return 0;
}

int QtAudioSession::setAudioCategoryProperty(std::uint32_t category) {
  audioCategoryProperty_ = category;
  return 0;
}

int QtAudioSession::setActiveC(bool active) {
  active_ = active;
  return 0;
}

void QtAudioSession::checkOutputs() {
  bool stillThere = outputInUse_.isEmpty();
  for (const QAudioDevice& device : QMediaDevices::audioOutputs()) {
    if (device.id() == outputInUse_) stillThere = true;
  }
  const QByteArray lost = stillThere ? QByteArray() : outputInUse_;
  outputInUse_ = QMediaDevices::defaultAudioOutput().id();
  if (!lost.isEmpty() && listener_) listener_(platform::kAudioSessionBeginInterruption);
}

}  // namespace balalaika::qt
