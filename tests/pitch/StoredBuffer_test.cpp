#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <set>
#include <utility>
#include <thread>
#include <vector>

#include "demo_recording/Synth.h"
#include "pitch/PitchListener.h"

namespace balalaika {
namespace {

std::vector<std::int16_t> pluckedA4() {
  synth::Score score;
  score.plucks = {{.hertz = 440.0, .level = 0.3}};
  auto pcm = synth::toInt16(synth::render(score));
  return {pcm.begin() + 2000, pcm.begin() + 2000 + 4096};
}

TEST(StoredBuffer, ABufferEstimatedAgainGivesItsReadingRefinementAndSpectraWhateverRanInBetween) {
  PitchListener& listener = *PitchListener::sharedListener();
  const auto a4 = pluckedA4();
  std::vector<std::int16_t> zeros(4096, 0);
  listener.setAudioBuffer(a4.data(), 8192);
  ASSERT_EQ(listener.frequency(), 440.0040588378906f);
  const double refined = listener.refinedFrequency();
  // Both spectra, magnitudes then harmonic sum.
  const auto spectra = [&] {
    const double* m = std::as_const(listener).freq_db();
    std::vector<double> both(m, m + PitchListener::kSpectrumBins);
    both.insert(both.end(), listener.freq_db_harmonic(), listener.freq_db_harmonic() + PitchListener::kSpectrumBins);
    return both;
  };
  const std::vector<double> estimated = spectra();

  // Each of these leaves other spectra in the arrays; the stored buffer is the same throughout.
  const std::vector<std::pair<const char*, std::function<void()>>> between = {
      {"a direct estimate", [&] { listener.getFreqFromBuffer(zeros.data(), 8192); }},
      {"a direct transform", [&] { listener.performFFT(zeros.data(), 4096); }},
      {"a written spectrum", [&] { std::fill_n(listener.freq_db(), PitchListener::kSpectrumBins, 0.0); }},
  };
  for (const auto& [what, run] : between) {
    run();
    EXPECT_EQ(listener.frequency(), 440.0040588378906f) << "after " << what;
    EXPECT_TRUE(spectra() == estimated) << "after " << what;
    EXPECT_EQ(listener.refinedFrequency(), refined) << "after " << what;
  }

  listener.setAudioBuffer(zeros.data(), 8192);
  EXPECT_EQ(listener.frequency(), 0.0f) << "a newly stored buffer is analysed";
  EXPECT_EQ(listener.refinedFrequency(), 0.0) << "silence peaks at bin 0: nothing to refine";
  EXPECT_EQ(listener.getFreqFromBuffer(a4.data(), 0), 0.0f);
  listener.setAudioBuffer(a4.data(), 8192);
  listener.setAudioBuffer(nullptr, 0);
  EXPECT_EQ(listener.frequency(), 0.0f) << "an empty buffer reads as nothing stored";
  EXPECT_EQ(listener.refinedFrequency(), 0.0);
}

TEST(StoredBuffer, ABufferLongerThanTheListenerHoldsIsCutToItsFirst8192Bytes) {
  PitchListener& listener = *PitchListener::sharedListener();
  const auto a4 = pluckedA4();
  std::vector<std::int16_t> oversized(a4);
  oversized.resize(10000, 32000);  // beyond 8192 bytes: loud garbage that must never be read
  listener.setAudioBuffer(oversized.data(), 20000);
  EXPECT_EQ(listener.frequency(), 440.0040588378906f);
}

TEST(StoredBuffer, CaptureThreadStoresWhileTheMainThreadEstimates) {
  PitchListener& listener = *PitchListener::sharedListener();
  const auto a4 = pluckedA4();
  std::vector<std::int16_t> zeros(4096, 0);
  std::atomic<bool> done{false};
  std::thread capture([&] {
    for (int i = 0; i < 400 && !done; ++i) listener.setAudioBuffer((i % 2 ? a4 : zeros).data(), 8192);
  });
  for (int i = 0; i < 20; ++i) {
    const float f = listener.frequency();
    EXPECT_TRUE(f == 0.0f || f == 440.0040588378906f) << f << ": a torn buffer";
  }
  done = true;
  capture.join();
}

TEST(SharedListener, AskedForFromManyThreadsAtOnceItIsOneInstanceAndASecondAllocationYieldsNothing) {
  PitchListener::destroySharedListenerForTesting();
  std::vector<PitchListener*> seen(8, nullptr);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([&seen, i] { seen[i] = PitchListener::sharedListener(); });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(std::set<PitchListener*>(seen.begin(), seen.end()).size(), 1u);
  EXPECT_NE(seen[0], nullptr);
  EXPECT_EQ(PitchListener::allocate(), nullptr);
}

}  // namespace
}  // namespace balalaika
