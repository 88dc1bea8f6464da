#pragma once
// The unison check of tunings 1-3, whose strings 2 and 3 share a note: the player plucks
// string 2, then string 3; each pluck settles to the median of the precise estimate over its
// sustain, and the gap between the two is shown in cents and beats per second. Pure state,
// fed one tick at a time. Main thread.

#include <optional>
#include <string>
#include <vector>

namespace balalaika::unison {

inline constexpr double kInUnisonCents = 1.0;      // |gap| up to this is "in unison"
inline constexpr double kNearTargetCents = 100.0;  // readings further from the note are ignored
inline constexpr int kSkippedTicks = 1;            // the attack, at the start of each pluck
inline constexpr int kMinSustainTicks = 4;         // a pluck shorter than this is not settled
inline constexpr int kMaxSustainTicks = 15;        // a pluck settles after this many readings
inline constexpr double kOnsetRise = 2.0;          // power rise between ticks that starts a pluck

struct Gap {
  double cents = 0.0;           // string 3 from string 2, signed: negative when 3 is lower
  double beatsPerSecond = 0.0;  // |f3 - f2|
  bool inUnison = false;
  bool operator==(const Gap&) const = default;
};

// The gap of two settled pitches in hertz.
Gap gapBetween(double string2Hertz, double string3Hertz);
// "+3.2c", "-0.4c", "0.0c": the headless line's form.
std::string plainText(const Gap& gap);

class UnisonCheck {
 public:
  enum class Stage { Idle, String2, String3, Done };

  // Starts over, asking for string 2 of a pair whose note is targetHertz.
  void start(double targetHertz);
  void cancel();
  // One tick: the average power (for onsets), whether the tick is loud, and the precise
  // estimate in hertz (0 for none).
  void tick(float power, bool loud, double hertz);

  Stage stage() const { return stage_; }
  // The settled pitch of string 2 once it has one; the gap when Done.
  std::optional<double> string2Hertz() const { return string2_; }
  std::optional<Gap> gap() const { return gap_; }

 private:
  void settle();

  Stage stage_ = Stage::Idle;
  double target_ = 0.0;
  bool inPluck_ = false;
  int pluckTicks_ = 0;
  float lastPower_ = 0.0f;
  bool lastLoud_ = false;
  std::vector<double> readings_;
  std::optional<double> string2_;
  std::optional<Gap> gap_;
};

}  // namespace balalaika::unison
