#pragma once
// The system's log on Qt's logging categories, one per platform::LogCategory: "balalaika.app",
// "balalaika.layout", "balalaika.audio", "balalaika.rating". Developer lines are debug messages,
// off unless turned on; failures are warnings, always shown. QT_LOGGING_RULES and Qt's logging
// configuration files apply as in any Qt program, and have the last word.

#include <QLoggingCategory>

#include "platform/Log.h"

namespace balalaika::qt {

const QLoggingCategory& loggingCategory(platform::LogCategory category);

// Sends every log line to its Qt category from now on. verbose turns on the debug lines of all
// balalaika.* categories (as QT_LOGGING_RULES="balalaika.*.debug=true" would).
void installQtLog(bool verbose);

}  // namespace balalaika::qt
