#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>
#include <unistd.h>

#include "app/OfflineAnalysis.h"
#include "demo_recording/Synth.h"
#include "platform/AudioFileDecoder.h"

namespace balalaika::analysis {
namespace {

namespace fs = std::filesystem;

class OfflineAnalysis : public ::testing::Test {
 protected:
  fs::path dir = fs::temp_directory_path() / ("bt-analysis-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  // One plucked note from 0.5 s to 2.5 s, surrounded by silence.
  std::string noteFile(double hertz, double cents, const std::string& ext = "wav", double rate = 44100.0) {
    synth::Score score;
    score.sampleRate = rate;
    score.seconds = 3.0;
    score.plucks = {{.hertz = hertz, .startSeconds = 0.5, .durationSeconds = 2.0, .level = 0.4, .detuneCents = cents}};
    const fs::path path = dir / ("note-" + std::to_string(hertz) + "-" + std::to_string(cents) + "." + ext);
    EXPECT_TRUE(synth::writeAudioFile(path.string(), synth::render(score), rate));
    return path.string();
  }

  std::vector<Tick> analyze(const std::string& path, tuning::TuningIndex t) {
    const auto audio = platform::decodeAudioFile(path, 14039.0);
    EXPECT_TRUE(audio.ok()) << audio.error;
    return analyzeSamples(audio.samples, t);
  }

  // Ticks whose newest buffer lies wholly inside the first 1.5 s of a note from noteStart, while
  // it rings strongly (late in the decay the lowest strings drift by one 13-cent bin).
  static std::vector<Tick> insideNote(const std::vector<Tick>& ticks, double noteStart = 0.5) {
    std::vector<Tick> out;
    for (const Tick& t : ticks) {
      const double bufferEnd = std::floor(t.seconds * 14039.0 / 4096.0) * 4096.0 / 14039.0;
      if (bufferEnd - 4096.0 / 14039.0 >= noteStart && bufferEnd <= noteStart + 1.5) out.push_back(t);
    }
    return out;
  }
};

// Outside every window: no string, but the cents from the nearest string, on loud ticks only.
TEST_F(OfflineAnalysis, DetunedStringsAreNotMatchedAndReadTheirCentsFromTheNearestStringOnLoudTicksOnly) {
  const struct {
    double hertz, cents;
    tuning::TuningIndex tuning;
    double tolerance;
  } cases[] = {{440.0, -30.0, 1, 3.0},   {440.0, 30.0, 1, 3.0},    {220.0, -30.0, 3, 3.0},   {82.4069, 30.0, 4, 3.0},
               {55.0, -30.0, 5, 5.0},    {55.0, 30.0, 5, 5.0},     {329.6276, -25.0, 1, 3.0}, {440.0, 8.0, 1, 3.0},
               {110.0, -40.0, 4, 3.0},   {41.2034, 15.0, 5, 5.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.hertz << " Hz " << c.cents << " c");
    const auto ticks = analyze(noteFile(c.hertz, c.cents), c.tuning);
    for (const Tick& t : insideNote(ticks)) {
      EXPECT_EQ(t.state, tick::PowerState::Loud) << t.seconds;
      EXPECT_FALSE(t.string) << "read as " << t.frequency;
      EXPECT_FALSE(t.text.empty());
      ASSERT_TRUE(t.cents) << t.seconds;
      EXPECT_EQ(t.cents->range, platform::CentsReading::Range::Near);
      EXPECT_NEAR(t.cents->cents, c.cents, c.tolerance) << t.seconds << " s";
    }
    for (const Tick& t : ticks) EXPECT_TRUE(t.state == tick::PowerState::Loud || !t.cents) << t.seconds;
  }
}

TEST_F(OfflineAnalysis, SilenceAndSoftPlayingAreClassifiedAsSuchWithoutText) {
  synth::Score score;
  score.seconds = 3.0;
  score.noiseLevel = 0.0005;  // room hiss
  score.plucks = {{.hertz = 440.0, .startSeconds = 1.0, .durationSeconds = 2.0, .level = 0.012, .decaySeconds = 100}};
  for (const Tick& t : analyzeSamples(synth::toInt16(synth::render(score)), 1)) {
    EXPECT_TRUE(t.seconds >= 0.9 || t.state == tick::PowerState::Silent) << t.seconds << " " << t.power;
    EXPECT_TRUE(t.seconds <= 1.4 || t.state == tick::PowerState::Soft) << t.seconds << " " << t.power;
    EXPECT_TRUE(t.state == tick::PowerState::Loud || t.text.empty()) << t.seconds;
  }
}

TEST_F(OfflineAnalysis, ReadsFlacAndOggAndWritesOneCsvRowPerTick) {
  for (const char* ext : {"flac", "ogg"}) {
    std::ostringstream out, err;
    ASSERT_EQ(analyzeFile(noteFile(440.0, 0.0, ext, 48000.0), 1, out, err), 0) << err.str();
    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "time,power,frequency,state,text,string,note,cents");
    int rows = 0;
    bool sawA4 = false;
    for (; std::getline(lines, line); ++rows) {
      sawA4 = sawA4 || line.find(",440.0Hz,1,A4,") != std::string::npos;
      EXPECT_TRUE(line.find(",loud,") != std::string::npos || line.back() == ',') << "cents only when loud: " << line;
    }
    EXPECT_EQ(rows, 30) << ext;
    EXPECT_TRUE(sawA4) << ext;
  }
}

TEST_F(OfflineAnalysis, UnreadableInputAndBadTuningsFailWithOneLineAndNoOutput) {
  const fs::path garbage = dir / "garbage.wav";
  std::ofstream(garbage) << "this is not audio";
  const std::pair<std::string, int> runs[] = {
      {(dir / "missing.wav").string(), 1}, {garbage.string(), 1}, {dir.string(), 1}, {noteFile(440.0, 0.0), 6}};
  for (const auto& [path, tuning] : runs) {
    std::ostringstream out, err;
    EXPECT_EQ(analyzeFile(path, tuning, out, err), 2) << path;
    EXPECT_TRUE(out.str().empty());
    const std::string message = err.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
  }
}

TEST_F(OfflineAnalysis, WithThePreciseEstimatorEveryLoudTickOfAPluckInOrOutOfTuneGivesTheVerdictOfTheTruePitch) {
  // One note per string family, lowest and highest included; two cents inside and outside every
  // window and far out; a plain pluck, one at the middle (odd harmonics only) and one in noise.
  const std::tuple<const char*, double, tuning::TuningIndex> notes[] = {
      {"A4", 440.0, 1}, {"D4", 293.665, 2}, {"E3", 164.814, 3}, {"A2", 110.0, 4},
      {"E2", 82.407, 4}, {"A1", 55.0, 5},   {"E1", 41.203, 5}};
  for (const auto& [name, hertz, tuning] : notes) {
    for (const double detune : {0.0, 3.0, -3.0, 8.0, -8.0, 25.0}) {
      for (const auto& [pluckPosition, noise] : {std::pair{0.18, 0.0}, {0.5, 0.0}, {0.18, 0.01}}) {
        synth::Score score;
        score.seconds = 2.5;
        score.noiseLevel = noise;
        score.plucks = {{.hertz = hertz, .startSeconds = 0.3, .durationSeconds = 2.0, .level = 0.5,
                         .detuneCents = detune, .decaySeconds = 1.0, .pluckPosition = pluckPosition}};
        const auto truth = tuning::match(tuning, synth::detuned(hertz, detune));
        SCOPED_TRACE(::testing::Message() << name << " " << detune << " c, pluck " << pluckPosition << ", noise " << noise);
        const auto ticks = analyzeSamples(synth::toInt16(synth::render(score)), tuning, {.estimator = app::Estimator::Precise});
        int loud = 0;
        for (const Tick& t : insideNote(ticks, 0.3)) {
          if (t.state != tick::PowerState::Loud) continue;
          ++loud;
          EXPECT_EQ(t.string, truth ? std::optional(truth->string) : std::nullopt) << t.seconds << " s: " << t.frequency;
        }
        EXPECT_GE(loud, 8);
      }
    }
  }
}

// The aids see the recording as the running tuner does: windows and cents at the chosen A4, the
// unison check and the heard A on the precise estimate.
TEST_F(OfflineAnalysis, AtAnotherConcertPitchTheWindowsFollowAndTheListeningAidsReadThePlucks) {
  const auto audio = platform::decodeAudioFile(noteFile(443.0, 0.0), 14039.0);
  int loud = 0;
  for (const Tick& t : insideNote(analyzeSamples(audio.samples, 1, {.a4 = 443.0}))) {
    EXPECT_EQ(t.string, 1) << t.seconds;
    EXPECT_NEAR(t.cents->cents, 0.0, 3.0) << t.seconds;
    ++loud;
  }
  EXPECT_GT(loud, 3);
  for (const Tick& t : insideNote(analyzeSamples(audio.samples, 1))) EXPECT_FALSE(t.string) << "12 c sharp at 440";
  AidResults heard;
  analyzeSamples(audio.samples, 1, {.hearA = true}, &heard);
  EXPECT_EQ(heard.heardA, 443.0);

  synth::Score score;
  score.seconds = 6.0;
  score.plucks = {{.hertz = 329.6276, .startSeconds = 0.5, .durationSeconds = 2.0, .level = 0.4, .detuneCents = -2.0},
                  {.hertz = 329.6276, .startSeconds = 3.5, .durationSeconds = 2.0, .level = 0.4, .detuneCents = 1.5}};
  AidResults pair;
  analyzeSamples(synth::toInt16(synth::render(score)), 1, {.unisonCheck = true}, &pair);
  ASSERT_TRUE(pair.unison);
  EXPECT_NEAR(pair.unison->cents, 3.5, 0.3);
}

}  // namespace
}  // namespace balalaika::analysis
