#pragma once
// Concert pitch: the frequency of A4 the tuner is set to, its range and steps, its settings key,
// and the "from a heard note" listener that sets it from a steady A the player sounds.

#include <optional>
#include <string>
#include <vector>

#include "tuner/TuningTable.h"

namespace balalaika::concert {

inline constexpr double kLowestA4 = 415.0;   // hertz
inline constexpr double kHighestA4 = 466.0;  // hertz
inline constexpr double kStepHertz = 0.5;    // one tap of − or +
// The stored concert pitch (double, hertz); absent or out of range reads as 440.
inline constexpr const char* kSettingsKey = "a4InHz";

// a4 moved by `steps` taps of kStepHertz (not zero), onto the 0.5 Hz grid and kept in range:
// from 441.3, one step up is 441.5 and one down 441.0.
double stepped(double a4, int steps);

// A stored or typed value in range, else nothing: finite, kLowestA4..kHighestA4, to 0.1 Hz.
std::optional<double> valid(double a4);
// "443", "443.5", "432.0": a number that valid() accepts; nothing otherwise.
std::optional<double> parse(const std::string& text);

// "443", "443.5", "441.3": the value shown after "A4 = " and before " Hz".
std::string hertzText(double a4);

// Sets A4 from a heard A: fed one tick at a time, ten ticks a second, with the precise estimate
// of the newest buffer. A reading counts when the tick is not silent and it lies within ±50 cents of
// an A (any octave) at the present concert pitch. The A is accepted once kReadingsNeeded
// consecutive counted readings, folded into A4's octave, span at most kSteadyCents; the new
// concert pitch is their median rounded to 0.1 Hz. After kListenTicks without that, nothing
// is accepted. Main thread.
class HeardA {
 public:
  static constexpr int kReadingsNeeded = 10;    // about a second of a steady note
  static constexpr int kListenTicks = 30;       // gives up after 3 s
  static constexpr double kSteadyCents = 12.0;  // largest spread of the counted readings (reeds beat)
  static constexpr double kNearCents = 50.0;   // distance from an A of the present pitch

  enum class State { Idle, Listening, Accepted, Rejected };

  void start(double presentA4);
  void cancel() { state_ = State::Idle; }
  // One tick: whether it is heard (not silent), and the estimate in hertz (0 for none).
  void tick(bool heard, double hertz);

  State state() const { return state_; }
  // The accepted concert pitch, rounded to 0.1 Hz (in state Accepted).
  double result() const { return result_; }

 private:
  State state_ = State::Idle;
  double presentA4_ = tuning::kStandardA4;
  int ticks_ = 0;
  std::vector<double> folded_;  // the run of counted readings, in hertz in A4's octave
  double result_ = 0.0;
};

}  // namespace balalaika::concert
