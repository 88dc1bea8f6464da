#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/OfflineAnalysis.h"

int main(int argc, char** argv) {
  using namespace balalaika;
  const app::ParseResult parsed = app::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.ok()) {
    std::cerr << "balalaika-tuner: " << parsed.error << "\n";
    return 2;
  }
  const app::Options& options = parsed.options;
  if (options.help) {
    std::cout << app::usage();
    return 0;
  }
  if (options.version) {
    std::cout << "balalaika-tuner " << BT_VERSION << "\n";
    return 0;
  }
  if (options.analyzeFile) return analysis::analyzeFile(*options.analyzeFile, options.tuning, std::cout, std::cerr);
  std::cerr << "balalaika-tuner: nothing to do yet; try --analyze FILE\n";
  return 2;
}
