#include "platform/qt/QtAudioOutputUnit.h"

#include "platform/OutputStreamFormat.h"

#include <QAudioSink>
#include <QAudioDevice>
#include <QMediaDevices>
#include <algorithm>
#include <cmath>

namespace balalaika::qt {
namespace {

constexpr int kErrUninitialized = -10867;  // kAudioUnitErr_Uninitialized
constexpr int kErrFormatNotSupported = -10868;
constexpr int kErrNoDevice = -10851;  // kAudioUnitErr_InvalidPropertyValue
constexpr double kBufferSeconds = 0.1;

}  // namespace

void RenderDevice::setCallback(platform::AURenderCallback callback, void* refCon) {
  callback_ = callback;
  refCon_ = refCon;
}

// Render thread.
qint64 RenderDevice::readData(char* data, qint64 maxSize) {
  const auto frames = static_cast<std::uint32_t>(
      std::min<qint64>(maxSize / static_cast<qint64>(sizeof(float)), kMaxFramesPerRequest));
  if (frames == 0) return 0;
  platform::AudioBufferList list;
  list.mNumberBuffers = 1;
  list.mBuffers[0].mNumberChannels = 1;
  list.mBuffers[0].mDataByteSize = frames * sizeof(float);
  list.mBuffers[0].mData = data;
  if (callback_ != nullptr) {
    std::uint32_t flags = 0;
    const platform::AudioTimeStamp stamp{sampleTime_};
    callback_(refCon_, &flags, &stamp, 0, frames, &list);
  } else {
    std::fill_n(reinterpret_cast<float*>(data), frames, 0.0f);
  }
  sampleTime_ += frames;
  return static_cast<qint64>(frames * sizeof(float));
}

// Lives on the render thread: owns the sink and the device it pulls from.
class RenderWorker : public QObject {
 public:
  int startSink(const platform::AudioStreamBasicDescription& format, platform::AURenderCallback callback,
                void* refCon) {
    if (sink_) return 0;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) return kErrNoDevice;
    QAudioFormat qformat;
    qformat.setSampleRate(static_cast<int>(std::lround(format.mSampleRate)));
    qformat.setChannelCount(1);
    qformat.setSampleFormat(QAudioFormat::Float);
    device_.setCallback(callback, refCon);
    device_.resetTime();
    if (!device_.isOpen()) device_.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    sink_ = std::make_unique<QAudioSink>(output, qformat);
    const int bytes = static_cast<int>(std::lround(format.mSampleRate * kBufferSeconds)) * 4;
    sink_->setBufferSize(std::max(QtAudioOutputUnit::kMinBufferBytes, bytes));
    sink_->start(&device_);
    if (sink_->error() != QAudio::NoError) {
      sink_.reset();
      return kErrNoDevice;
    }
    return 0;
  }

  void stopSink() {
    if (!sink_) return;
    sink_->stop();
    sink_.reset();
  }

 private:
  RenderDevice device_;
  std::unique_ptr<QAudioSink> sink_;
};

QtAudioOutputUnit::QtAudioOutputUnit() : format_(platform::floatMonoFormat(44100.0)) {
  thread_.setObjectName(QStringLiteral("render"));
  worker_ = new RenderWorker;
  worker_->moveToThread(&thread_);
  QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
  thread_.start(QThread::TimeCriticalPriority);
}

QtAudioOutputUnit::~QtAudioOutputUnit() {
  stop();
  thread_.quit();
  thread_.wait();
}

int QtAudioOutputUnit::setRenderCallback(platform::AURenderCallback callback, void* refCon) {
  if (running_.load()) return kErrFormatNotSupported;  // changed only while stopped
  callback_ = callback;
  refCon_ = refCon;
  return 0;
}

int QtAudioOutputUnit::setStreamFormat(const platform::AudioStreamBasicDescription& format) {
  const bool floatMono = format.mFormatID == platform::kAudioFormatLinearPCM &&
                         (format.mFormatFlags & platform::kAudioFormatFlagIsFloat) != 0 &&
                         format.mBitsPerChannel == 32 && format.mChannelsPerFrame == 1 && format.mSampleRate >= 1000.0 &&
                         format.mSampleRate <= 384000.0;
  if (!floatMono || running_.load()) return kErrFormatNotSupported;
  format_ = format;
  return 0;
}

int QtAudioOutputUnit::initialize() {
  initialized_ = true;
  return 0;
}

int QtAudioOutputUnit::start() {
  if (!initialized_) return kErrUninitialized;
  if (running_.load()) return 0;
  int status = 0;
  QMetaObject::invokeMethod(
      worker_, [&, w = worker_] { status = w->startSink(format_, callback_, refCon_); }, Qt::BlockingQueuedConnection);
  running_.store(status == 0);
  return status;
}

int QtAudioOutputUnit::stop() {
  if (!running_.load()) return 0;
  QMetaObject::invokeMethod(worker_, [w = worker_] { w->stopSink(); }, Qt::BlockingQueuedConnection);
  running_.store(false);
  return 0;
}

int QtAudioOutputUnit::uninitialize() {
  stop();
  initialized_ = false;
  return 0;
}

std::unique_ptr<platform::AudioOutputUnit> QtAudioOutputComponent::newInstance(
    const platform::AudioComponentDescription& description) {
  if (description.componentType != platform::kAudioUnitType_Output) return nullptr;
  return std::make_unique<QtAudioOutputUnit>();
}

}  // namespace balalaika::qt
