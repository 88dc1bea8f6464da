#pragma once
// Offline analysis of a recording: replays the tuner's clock over the audio and reports, tick
// by tick, what the tuner would measure and show. Teachers and players use it to check a
// recording; the tests use it to check the whole estimate end to end.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/Estimator.h"
#include "platform/Views.h"
#include "tuner/ConcertPitch.h"
#include "tuner/UnisonCheck.h"
#include "tuner/TickRules.h"
#include "tuner/TuningTable.h"

namespace balalaika::analysis {

struct Tick {
  double seconds = 0.0;    // audio time of the tick
  float power = 0.0f;      // average power of the newest complete buffer (RMS / 32768)
  float frequency = 0.0f;  // estimate of that buffer in hertz; 0 before the first buffer
  tick::PowerState state = tick::PowerState::Silent;
  std::string text;                         // frequency text shown on a loud tick, else empty
  std::optional<tuning::StringIndex> string;  // matched string on a loud tick
  std::optional<std::string> note;
  // The cents meter's reading from the nearest string, refined below one bin, on a loud tick.
  std::optional<platform::CentsReading> cents;
};

// Samples are 16-bit mono at the capture rate (14039 Hz). Ticks come every 0.1 s of audio
// time, from 0.1 s to the end; each analyses the newest complete 4096-sample buffer.
// The estimate is the listener's unless estimator says precise. Windows and cents are at
// concert pitch a4; with a locked string the cents are read against that string alone.
struct Settings {
  app::Estimator estimator = app::Estimator::Default;
  double a4 = tuning::kStandardA4;
  std::optional<tuning::StringIndex> lockedString = std::nullopt;
  // The tuning aids that listen, started at the first tick and fed as the running tuner feeds
  // them: the unison check of the tuning's strings 2 and 3, and concert pitch from a heard A.
  bool unisonCheck = false;
  bool hearA = false;
};

// What the listening aids concluded by the end of the recording.
struct AidResults {
  std::optional<unison::Gap> unison;  // the gap, if the check finished
  std::optional<double> heardA;       // the concert pitch set from a heard A, if one was accepted
};

std::vector<Tick> analyzeSamples(const std::vector<std::int16_t>& samples, tuning::TuningIndex tuning,
                                 const Settings& settings = {}, AidResults* aids = nullptr);

// CSV with a header line: time,power,frequency,state,text,string,note,cents. cents is the
// signed distance from the nearest string ("-12.4"), "far-flat" or "far-sharp", and empty
// when the tick is not loud.
void writeCsv(std::ostream& out, const std::vector<Tick>& ticks);

const char* stateName(tick::PowerState state);

// Decodes the file and writes the CSV to out, then with settings.unisonCheck a line
// "unison,+3.2c" (or "unison,none") and with settings.hearA a line "a4,443.0" (or "a4,none"). Returns 0, or 2 with one line on err and
// nothing on out when the file cannot be read or the tuning is outside 1..5.
int analyzeFile(const std::string& path, tuning::TuningIndex tuning, std::ostream& out, std::ostream& err,
                const Settings& settings = {});

}  // namespace balalaika::analysis
