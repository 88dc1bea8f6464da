#include "platform/qt/QtAudioInputQueueFactory.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>

#include "platform/qt/QtAudioInputQueue.h"

namespace balalaika::qt {
namespace {

constexpr int kPactlTimeoutMs = 2000;

QByteArray pulseDefaultSource() {
  QProcess pactl;
  pactl.start(QStringLiteral("pactl"), {QStringLiteral("get-default-source")});
  if (!pactl.waitForFinished(kPactlTimeoutMs) || pactl.exitStatus() != QProcess::NormalExit || pactl.exitCode() != 0) {
    pactl.kill();
    pactl.waitForFinished(kPactlTimeoutMs);
    return {};
  }
  return pactl.readAllStandardOutput().trimmed();
}

}  // namespace

QAudioDevice QtAudioInputQueueFactory::chooseDevice() {
  QByteArray wanted = qgetenv("BALALAIKA_TUNER_AUDIO_SOURCE");
  if (wanted.isEmpty()) wanted = pulseDefaultSource();
  const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
  if (!wanted.isEmpty()) {
    for (const QAudioDevice& device : inputs) {
      if (device.id() == wanted) return device;
    }
  }
  return QMediaDevices::defaultAudioInput();
}

std::unique_ptr<platform::AudioInputQueue> QtAudioInputQueueFactory::newInput(
    const platform::AudioStreamBasicDescription& format, platform::AudioQueueInputCallback callback, void* userData) {
  if (format.mFormatID != platform::kAudioFormatLinearPCM || format.mBitsPerChannel != 16 ||
      format.mChannelsPerFrame != 1 || !(format.mSampleRate > 0.0)) {
    return nullptr;
  }
  return std::make_unique<QtAudioInputQueue>(chooseDevice(), format, callback, userData, options_.preferDeviceFormat);
}

}  // namespace balalaika::qt
