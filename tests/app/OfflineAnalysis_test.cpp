#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

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

  // A recording of one plucked note from 0.5 s to 2.5 s, surrounded by silence.
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

  // Ticks whose newest complete buffer lies wholly inside the first 1.5 s of the note, while
  // it rings strongly. (Late in the decay the lowest strings drift by one bin: at A1 one bin is
  // 13 cents and the window holds a single bin.)
  static std::vector<Tick> insideNote(const std::vector<Tick>& ticks) {
    std::vector<Tick> out;
    for (const Tick& t : ticks) {
      const double bufferEnd = std::floor(t.seconds * 14039.0 / 4096.0) * 4096.0 / 14039.0;
      if (bufferEnd - 4096.0 / 14039.0 >= 0.5 && bufferEnd <= 2.0) out.push_back(t);
    }
    return out;
  }
};

TEST_F(OfflineAnalysis, EveryTargetPitchInTuneIsReportedAsItsStringInEveryTuningThatHasIt) {
  struct Target {
    const char* note;
    double hertz;
  };
  const Target targets[] = {{"A4", 440.0},     {"E4", 329.6276}, {"D4", 293.6648}, {"A3", 220.0},
                            {"E3", 164.8138},  {"D3", 146.8324}, {"A2", 110.0},    {"E2", 82.4069},
                            {"D2", 73.4162},   {"A1", 55.0},     {"E1", 41.2034}};
  for (const Target& target : targets) {
    const std::string file = noteFile(target.hertz, 0.0);
    int tuningsWithIt = 0;
    for (tuning::TuningIndex t = 1; t <= 5; ++t) {
      std::optional<tuning::StringIndex> expected;
      for (const auto& w : tuning::windows(t))
        if (std::string(w.note) == target.note) expected = w.reportedAs;
      if (!expected) continue;
      ++tuningsWithIt;
      const auto ticks = insideNote(analyze(file, t));
      ASSERT_GE(ticks.size(), 5u);
      for (const Tick& tick : ticks) {
        EXPECT_EQ(tick.state, tick::PowerState::Loud) << target.note << " at " << tick.seconds;
        EXPECT_EQ(tick.string, expected) << target.note << " in tuning " << t << " at " << tick.seconds << ": "
                                         << tick.frequency << " Hz";
        EXPECT_EQ(tick.note, target.note);
      }
    }
    EXPECT_GE(tuningsWithIt, 1) << target.note;
  }
}

// Outside every window: no string, but the reading and the cents from the nearest string, on
// loud ticks only.
TEST_F(OfflineAnalysis, DetunedStringsAreNotMatchedAndReadTheirCentsFromTheNearestStringOnLoudTicksOnly) {
  const struct {
    double hertz;
    double cents;
    tuning::TuningIndex tuning;
    double tolerance;
  } cases[] = {{440.0, -30.0, 1, 3.0},   {440.0, 30.0, 1, 3.0},     {220.0, -30.0, 3, 3.0},  {220.0, 30.0, 3, 3.0},
               {82.4069, -30.0, 4, 3.0}, {82.4069, 30.0, 4, 3.0},   {55.0, -30.0, 5, 5.0},   {55.0, 30.0, 5, 5.0},
               {329.6276, -25.0, 1, 3.0}, {440.0, 8.0, 1, 3.0},     {110.0, -40.0, 4, 3.0},  {41.2034, 15.0, 5, 5.0}};
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
    for (const Tick& t : ticks) {
      EXPECT_TRUE(t.state == tick::PowerState::Loud || !t.cents) << t.seconds;
    }
  }
}

TEST_F(OfflineAnalysis, SilenceAndSoftPlayingAreClassifiedAsSuch) {
  synth::Score score;
  score.seconds = 3.0;
  score.noiseLevel = 0.0005;  // room hiss
  score.plucks = {{.hertz = 440.0, .startSeconds = 1.0, .durationSeconds = 2.0, .level = 0.012, .decaySeconds = 100}};
  const fs::path path = dir / "soft.wav";
  ASSERT_TRUE(synth::writeAudioFile(path.string(), synth::render(score), 14039.0));
  const auto ticks = analyze(path.string(), 1);
  for (const Tick& t : ticks) {
    if (t.seconds < 0.9) {
      EXPECT_EQ(t.state, tick::PowerState::Silent) << t.seconds << " " << t.power;
    }
    if (t.seconds > 1.4) {
      EXPECT_EQ(t.state, tick::PowerState::Soft) << t.seconds << " " << t.power;
    }
    if (t.state != tick::PowerState::Loud) {
      EXPECT_TRUE(t.text.empty());
    }
  }
}

TEST_F(OfflineAnalysis, TheTextCarriesTheTuningsDisplayOffset) {
  for (const auto& [hertz, t, offset] : {std::tuple{329.6276, 1, 0.1}, {293.6648, 2, -0.3}}) {
    const auto ticks = insideNote(analyze(noteFile(hertz, 0.0), t));
    ASSERT_FALSE(ticks.empty());
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.1fHz", static_cast<double>(ticks[0].frequency) + offset);
    EXPECT_EQ(ticks[0].text, expected) << hertz;
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
    while (std::getline(lines, line)) {
      ++rows;
      sawA4 = sawA4 || line.find(",440.0Hz,1,A4,") != std::string::npos;
      // Not loud: the cents column is empty.
      if (line.find(",loud,") == std::string::npos) {
        EXPECT_EQ(line.back(), ',') << line;
      }
    }
    EXPECT_EQ(rows, 30) << ext;
    EXPECT_TRUE(sawA4) << ext;
  }
}

TEST_F(OfflineAnalysis, UnreadableInputAndBadTuningsFailWithOneLineAndNoOutput) {
  const fs::path garbage = dir / "garbage.wav";
  std::ofstream(garbage) << "this is not audio";
  for (const std::string& path : {(dir / "missing.wav").string(), garbage.string(), dir.string()}) {
    std::ostringstream out, err;
    EXPECT_EQ(analyzeFile(path, 1, out, err), 2) << path;
    EXPECT_TRUE(out.str().empty());
    const std::string message = err.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
  }
  std::ostringstream out, err;
  EXPECT_EQ(analyzeFile(noteFile(440.0, 0.0), 6, out, err), 2);
  EXPECT_TRUE(out.str().empty());
}

}  // namespace
}  // namespace balalaika::analysis
