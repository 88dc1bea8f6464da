// balalaika-analyze.js: the offline analysis of the WebAssembly core, run by node. Takes the
// desktop program's analysis options (--analyze FILE [--tuning N] [--estimator default|precise]
// [--a4 HZ] [--lock N] [--unison] [--hear-a]) and writes the same CSV; the file is a WAV recording.
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/OfflineAnalysis.h"

int main(int argc, char** argv) {
  const auto parsed = balalaika::app::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.ok() || !parsed.options.analyzeFile) {
    std::cerr << "balalaika-analyze: " << (parsed.ok() ? "--analyze FILE is required" : parsed.error) << "\n";
    return 2;
  }
  const auto& options = parsed.options;
  return balalaika::analysis::analyzeFile(
      *options.analyzeFile, options.tuning, std::cout, std::cerr,
      balalaika::analysis::Settings{options.estimator.value_or(balalaika::app::Estimator::Default),
                                    options.a4.value_or(balalaika::tuning::kStandardA4), options.lockedString,
                                    options.unisonCheck, options.hearA});
}
