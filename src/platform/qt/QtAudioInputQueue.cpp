#include "platform/qt/QtAudioInputQueue.h"

#include <QAudioSource>
#include <QElapsedTimer>
#include <QIODevice>
#include <QPointer>
#include <QTimer>
#include <cmath>

#include "platform/CaptureConverter.h"
#include "platform/Log.h"

namespace balalaika::qt {
namespace {

constexpr qint64 kChunkBytes = 16384;  // one read from the source; Qt's chunks are about 50 ms
constexpr int kWatchdogIntervalMs = 250;
constexpr qint64 kSilentAfterMs = 1000;  // no data for this long while running: level reads zero

platform::CaptureSampleType sampleType(QAudioFormat::SampleFormat format) {
  switch (format) {
    case QAudioFormat::UInt8: return platform::CaptureSampleType::UInt8;
    case QAudioFormat::Int32: return platform::CaptureSampleType::Int32;
    case QAudioFormat::Float: return platform::CaptureSampleType::Float32;
    default: return platform::CaptureSampleType::Int16;
  }
}

}  // namespace

// Lives on the capture thread: owns the QAudioSource and gathers its chunks into buffers.
class CaptureWorker : public QObject {
 public:
  CaptureWorker(QtAudioInputQueue* front, QAudioDevice device, bool preferDeviceFormat)
      : front_(front), device_(std::move(device)), preferDeviceFormat_(preferDeviceFormat),
        chunk_(new char[kChunkBytes]) {}

  // Capture thread.
  int startCapture() {
    if (source_) return 0;
    if (device_.isNull()) return platform::kAudioQueueErr_InvalidDevice;
    QAudioFormat wanted;
    wanted.setSampleRate(static_cast<int>(std::lround(front_->format_.mSampleRate)));
    wanted.setChannelCount(1);
    wanted.setSampleFormat(QAudioFormat::Int16);
    QAudioFormat used = wanted;
    converter_.reset();
    if (preferDeviceFormat_ || !device_.isFormatSupported(wanted)) {
      used = device_.preferredFormat();
      const int frameBytes = std::max(1, used.bytesPerFrame());
      converter_ = std::make_unique<platform::CaptureConverter>(
          used.sampleRate(), used.channelCount(), sampleType(used.sampleFormat()), front_->format_.mSampleRate,
          static_cast<std::size_t>(kChunkBytes / frameBytes));
      if (!converter_->error().empty()) return platform::kAudioQueueErr_CannotStart;
    }
    converting_.store(converter_ != nullptr);
    source_ = std::make_unique<QAudioSource>(device_, used);
    io_ = source_->start();
    if (io_ == nullptr || source_->error() != QAudio::NoError) {
      source_.reset();
      io_ = nullptr;
      return platform::kAudioQueueErr_CannotStart;
    }
    connect(io_.data(), &QIODevice::readyRead, this, [this] { drain(); });
    connect(source_.get(), &QAudioSource::stateChanged, this, [this](QAudio::State state) {
      if (state == QAudio::StoppedState && source_ && source_->error() != QAudio::NoError) fail();
    });
    if (!watchdog_) {
      watchdog_ = new QTimer(this);
      connect(watchdog_, &QTimer::timeout, this, [this] {
        if (sinceData_.isValid() && sinceData_.elapsed() > kSilentAfterMs) front_->line_.clearLevel();
      });
    }
    sinceData_.start();
    watchdog_->start(kWatchdogIntervalMs);
    return 0;
  }

  // Capture thread. A partly filled buffer goes back in line, to be filled afresh.
  void stopCapture() {
    if (watchdog_) watchdog_->stop();
    if (source_) {
      source_->disconnect(this);
      if (io_) io_->disconnect(this);
      source_->stop();
      source_.reset();
      io_ = nullptr;
    }
    filler_.restart();
  }

  bool converting() const { return converting_.load(); }

 private:
  // Capture thread: reads what the source has and fills buffers with it.
  void drain() {
    while (io_ != nullptr) {
      const qint64 n = io_->read(chunk_.get(), kChunkBytes);
      if (n <= 0) break;
      sinceData_.restart();
      if (converter_) {
        converter_->process(chunk_.get(), static_cast<std::size_t>(n) / converter_->frameBytes(),
                            [this](const std::int16_t* samples, std::size_t count) { append(samples, count); });
      } else {
        append(reinterpret_cast<const std::int16_t*>(chunk_.get()), static_cast<std::size_t>(n) / 2);
      }
    }
  }

  void append(const std::int16_t* samples, std::size_t count) {
    filler_.append(samples, count, [this](platform::AudioQueueBuffer* full) {
      front_->callback_(front_->userData_, front_, full);
      return true;
    });
  }

  void fail() {
    const QString reason = source_->error() == QAudio::FatalError ? QStringLiteral("the audio server is gone")
                                                                   : QStringLiteral("the device stopped delivering");
    front_->running_.store(0);
    front_->line_.clearLevel();
    QtAudioInputQueue* front = front_;
    QMetaObject::invokeMethod(front, [front, reason] { front->reportFailure(reason); }, Qt::QueuedConnection);
  }

  QtAudioInputQueue* front_;
  QAudioDevice device_;
  bool preferDeviceFormat_;
  std::unique_ptr<char[]> chunk_;
  std::unique_ptr<QAudioSource> source_;
  QPointer<QIODevice> io_;  // owned by the source, which may drop it when the server goes away
  std::unique_ptr<platform::CaptureConverter> converter_;
  std::atomic<bool> converting_{false};
  platform::InputBufferFiller filler_{front_->line_};
  QTimer* watchdog_ = nullptr;
  QElapsedTimer sinceData_;
};

QtAudioInputQueue::QtAudioInputQueue(const QAudioDevice& device, const platform::AudioStreamBasicDescription& format,
                                     platform::AudioQueueInputCallback callback, void* userData,
                                     bool preferDeviceFormat)
    : format_(format), callback_(callback), userData_(userData) {
  thread_.setObjectName(QStringLiteral("capture"));
  worker_ = new CaptureWorker(this, device, preferDeviceFormat);
  worker_->moveToThread(&thread_);
  connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
  thread_.start(QThread::TimeCriticalPriority);
}

QtAudioInputQueue::~QtAudioInputQueue() {
  running_.store(0);
  QMetaObject::invokeMethod(worker_, [w = worker_] { w->stopCapture(); }, Qt::BlockingQueuedConnection);
  thread_.quit();
  thread_.wait();
}

int QtAudioInputQueue::allocateBuffer(std::uint32_t byteCapacity, platform::AudioQueueBuffer** outBuffer) {
  return line_.allocate(byteCapacity, outBuffer);
}

int QtAudioInputQueue::enqueueBuffer(platform::AudioQueueBuffer* buffer) { return line_.enqueue(buffer); }

int QtAudioInputQueue::start() {
  int status = 0;
  QMetaObject::invokeMethod(worker_, [&status, w = worker_] { status = w->startCapture(); },
                            Qt::BlockingQueuedConnection);
  if (status == 0) {
    running_.store(1);
  } else {
    reportFailure(status == platform::kAudioQueueErr_InvalidDevice
                      ? QStringLiteral("there is no audio capture device")
                      : QStringLiteral("the audio capture device refused to start"));
  }
  return status;
}

int QtAudioInputQueue::stop(bool /*immediate*/) {
  running_.store(0);
  QMetaObject::invokeMethod(worker_, [w = worker_] { w->stopCapture(); }, Qt::BlockingQueuedConnection);
  line_.clearLevel();
  return 0;
}

std::optional<std::uint32_t> QtAudioInputQueue::isRunning() const { return running_.load(); }

int QtAudioInputQueue::setLevelMeteringEnabled(std::uint32_t enabled) {
  line_.setMeteringEnabled(enabled != 0);
  return 0;
}

int QtAudioInputQueue::currentLevelMeter(platform::AudioQueueLevelMeterState* levels, std::uint32_t channelCount) {
  if (levels == nullptr) return platform::kAudioQueueErr_InvalidParameter;
  if (channelCount > 0) levels[0] = line_.level();
  for (std::uint32_t c = 1; c < channelCount; ++c) levels[c] = {};
  return 0;
}

bool QtAudioInputQueue::converting() const { return worker_->converting(); }

void QtAudioInputQueue::reportFailure(const QString& reason) {
  if (failureReported_) return;
  failureReported_ = true;
  platform::warn(platform::LogCategory::Audio, "Audio capture is off (%@); the tuner hears silence",
                 reason.toStdString());
}

}  // namespace balalaika::qt
