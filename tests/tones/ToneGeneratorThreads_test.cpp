#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "fakes/FakeAudioOutput.h"
#include "fakes/FakeRunLoop.h"
#include "tones/ToneGenerator.h"

namespace balalaika {
namespace {

// The render thread pulls frames while the main thread retunes the tone: every sample stays
// within the largest amplitude ever set and the phase stays within one turn.
TEST(ToneGeneratorThreads, GivenARenderThreadPullingFramesWhenTheMainThreadChangesFrequencyAndAmplitudeThenSamplesStayBounded) {
  fakes::FakeAudioOutputComponent output;
  fakes::FakeRunLoop runLoop;
  ToneGenerator generator(output, nullptr, runLoop);
  generator.start();
  fakes::FakeAudioOutputUnit* unit = output.unit();
  ASSERT_NE(unit, nullptr);

  std::atomic<bool> done{false};
  std::atomic<long> requests{0};
  std::atomic<bool> outOfBounds{false};
  std::thread render([&] {
    while (!done.load()) {
      for (float s : unit->render(256)) {
        if (!(std::fabs(s) <= 1.25f)) outOfBounds = true;
      }
      ++requests;
    }
  });

  for (int i = 0; i < 20000; ++i) {
    generator.setFrequency(40.0 + (i % 100) * 10.0);
    generator.setAmplitude((i % 2 == 0) ? 1.25 : 0.25);
    if (i % 1000 == 0) (void)generator.theta();
  }
  while (requests.load() < 100) std::this_thread::yield();
  done = true;
  render.join();

  EXPECT_FALSE(outOfBounds.load());
  EXPECT_GE(generator.theta(), 0.0);
  EXPECT_LE(generator.theta(), ToneGenerator::kTwoPi);
}

}  // namespace
}  // namespace balalaika
