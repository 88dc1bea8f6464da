#include "platform/qt/QtLog.h"

namespace balalaika::qt {
namespace {

// Debug lines are off by default: the categories start enabled from info upwards.
Q_LOGGING_CATEGORY(appCategory, "balalaika.app", QtInfoMsg)
Q_LOGGING_CATEGORY(layoutCategory, "balalaika.layout", QtInfoMsg)
Q_LOGGING_CATEGORY(audioCategory, "balalaika.audio", QtInfoMsg)
Q_LOGGING_CATEGORY(ratingCategory, "balalaika.rating", QtInfoMsg)

// Qt Multimedia's PulseAudio backend warns, in Qt's default category, when no audio server
// answers. The tuner says itself what that means for the player (no microphone: the demo
// recording instead), so that line only repeats it in a library's words and is dropped; every
// other message goes on to the handler that was there before.
constexpr char kNoAudioServerWarning[] = "PulseAudioService: pa_context_connect() failed";
QtMessageHandler previousHandler = nullptr;  // set once the filter is installed

void dropNoAudioServerWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message == QLatin1String(kNoAudioServerWarning)) return;
  // Qt hands back its default handler when none was installed, so there always is one.
  previousHandler(type, context, message);
}

}  // namespace

const QLoggingCategory& loggingCategory(platform::LogCategory category) {
  switch (category) {
    case platform::LogCategory::App:
      return appCategory();
    case platform::LogCategory::Layout:
      return layoutCategory();
    case platform::LogCategory::Audio:
      return audioCategory();
    case platform::LogCategory::Rating:
      return ratingCategory();
  }
  return appCategory();
}

void installQtLog(bool verbose) {
  if (verbose) QLoggingCategory::setFilterRules(QStringLiteral("balalaika.*.debug=true"));
  if (previousHandler == nullptr) previousHandler = qInstallMessageHandler(dropNoAudioServerWarning);
  platform::setLogSink([](platform::LogCategory category, platform::LogLevel level, const std::string& line) {
    const QLoggingCategory& qtCategory = loggingCategory(category);
    // Passed as an argument, never as the format: a line may hold '%' of its own.
    if (level == platform::LogLevel::Debug) {
      qCDebug(qtCategory, "%s", line.c_str());
    } else {
      qCWarning(qtCategory, "%s", line.c_str());
    }
  });
}

}  // namespace balalaika::qt
