#include "platform/qt/QtLog.h"

namespace balalaika::qt {
namespace {

// Debug lines are off by default: the categories start enabled from info upwards.
Q_LOGGING_CATEGORY(appCategory, "balalaika.app", QtInfoMsg)
Q_LOGGING_CATEGORY(layoutCategory, "balalaika.layout", QtInfoMsg)
Q_LOGGING_CATEGORY(audioCategory, "balalaika.audio", QtInfoMsg)
Q_LOGGING_CATEGORY(ratingCategory, "balalaika.rating", QtInfoMsg)

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
