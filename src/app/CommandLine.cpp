#include "app/CommandLine.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "tuner/ConcertPitch.h"

namespace balalaika::app {
namespace {

std::optional<long long> parseInteger(const std::string& text) {
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> parseSeconds(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value) || value <= 0.0) return std::nullopt;
  return value;
}

}  // namespace

std::string usage() {
  return "Usage: balalaika-tuner [options]\n"
         "A tuner for the balalaika family: listens to the microphone and shows which string is in tune.\n"
         "\n"
         "  --device SPEC     emulate a phone or pad, e.g. phone:844, pad:1024 (default phone:844)\n"
         "  --input FILE      listen to an audio file instead of the microphone\n"
         "  --loop            repeat the --input file\n"
         "  --headless        no window: print every change of the screen as one line\n"
         "  --lang CODE       language of the texts: en, es or ru (default: the system's)\n"
         "  --quit-after S    quit after S seconds\n"
         "  --screenshot FILE save the window as a PNG picture when quitting\n"
         "  --analyze FILE    print the tuner's readings of a recording as CSV and exit\n"
         "  --tuning N        tuning for --analyze: 1 prima .. 5 contrabass (default 1)\n"
         "  --verbose         print the developer log lines too (also: QT_LOGGING_RULES=\"balalaika.*.debug=true\")\n"
         "  --estimator NAME  pitch estimate: default, or precise (no octave jumps)\n"
         "  --a4 HERTZ        concert pitch, 415 to 466 (default: the stored one, else 440)\n"
         "  --lock N          read the meter against string N (1..3) alone\n"
         "  --unison          start the unison check of strings 2 and 3 (prima, secunda, alto)\n"
         "  --hear-a          set the concert pitch from the first steady A heard\n"
         "  --help            show this help\n"
         "  --version         show the version\n";
}

ParseResult parseCommandLine(const std::vector<std::string>& arguments) {
  ParseResult result;
  Options& o = result.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= arguments.size()) {
        result.error = "option " + arg + " needs a value";
        return std::nullopt;
      }
      return arguments[++i];
    };
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg == "--loop") {
      o.loop = true;
    } else if (arg == "--headless") {
      o.headless = true;
    } else if (arg == "--verbose") {
      o.verbose = true;
    } else if (arg == "--analyze") {
      if (!(o.analyzeFile = value())) return result;
    } else if (arg == "--device") {
      if (!(o.device = value())) return result;
    } else if (arg == "--input") {
      if (!(o.inputFile = value())) return result;
    } else if (arg == "--screenshot") {
      if (!(o.screenshotFile = value())) return result;
    } else if (arg == "--lang") {
      if (!(o.language = value())) return result;
    } else if (arg == "--tuning") {
      const auto text = value();
      if (!text) return result;
      const auto n = parseInteger(*text);
      if (!n || *n < 1 || *n > 5) {
        result.error = "--tuning must be 1 to 5, not '" + *text + "'";
        return result;
      }
      o.tuning = *n;
    } else if (arg == "--estimator") {
      const auto text = value();
      if (!text) return result;
      o.estimator = parseEstimator(*text);
      if (!o.estimator) {
        result.error = "--estimator must be default or precise, not '" + *text + "'";
        return result;
      }
    } else if (arg == "--a4") {
      const auto text = value();
      if (!text) return result;
      o.a4 = concert::parse(*text);
      if (!o.a4) {
        result.error = "--a4 must be 415 to 466 Hz in steps of 0.1, not '" + *text + "'";
        return result;
      }
    } else if (arg == "--lock") {
      const auto text = value();
      if (!text) return result;
      const auto n = parseInteger(*text);
      if (!n || *n < 1 || *n > 3) {
        result.error = "--lock must be a string number 1 to 3, not '" + *text + "'";
        return result;
      }
      o.lockedString = static_cast<int>(*n);
    } else if (arg == "--unison") {
      o.unisonCheck = true;
    } else if (arg == "--hear-a") {
      o.hearA = true;
    } else if (arg == "--quit-after") {
      const auto text = value();
      if (!text) return result;
      o.quitAfterSeconds = parseSeconds(*text);
      if (!o.quitAfterSeconds) {
        result.error = "--quit-after needs a positive number of seconds, not '" + *text + "'";
        return result;
      }
    } else {
      result.error = "unknown option '" + arg + "' (see --help)";
      return result;
    }
  }
  return result;
}

}  // namespace balalaika::app
