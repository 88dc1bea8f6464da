#pragma once
// The command line of balalaika-tuner.

#include <optional>
#include <string>
#include <vector>

#include "app/Estimator.h"

namespace balalaika::app {

struct Options {
  bool help = false;
  bool version = false;
  std::optional<std::string> analyzeFile;  // --analyze FILE: offline analysis to stdout
  long long tuning = 1;                    // --tuning N (with --analyze)
  std::optional<std::string> device;       // --device SPEC: the emulated phone or pad
  std::optional<std::string> inputFile;    // --input FILE: a file instead of the microphone
  bool loop = false;                       // --loop: repeat the input file
  bool headless = false;                   // --headless: no window; print the screen's changes
  std::optional<std::string> language;     // --lang CODE: en, es or ru instead of the system's
  std::optional<double> quitAfterSeconds;  // --quit-after SECONDS
  std::optional<std::string> screenshotFile;  // --screenshot FILE: the window as PNG when quitting
  bool verbose = false;                    // --verbose: developer log lines on stderr
  std::optional<Estimator> estimator;  // --estimator default|precise; else the stored choice
  std::optional<double> a4;            // --a4 HERTZ: concert pitch for the run; else the stored one
  std::optional<int> lockedString;     // --lock N: the meter reads string N alone
  bool unisonCheck = false;            // --unison: start the unison check of strings 2 and 3
  bool hearA = false;                  // --hear-a: set concert pitch from a heard A
};

struct ParseResult {
  Options options;
  std::string error;  // empty when the command line is valid
  bool ok() const { return error.empty(); }
};

ParseResult parseCommandLine(const std::vector<std::string>& arguments);  // without argv[0]

std::string usage();

}  // namespace balalaika::app
