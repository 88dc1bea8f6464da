#pragma once
// One step of a tone pattern: a frequency held for a duration.

namespace balalaika {

class TGPatternSegment {
 public:
  TGPatternSegment() = default;
  TGPatternSegment(double frequency, double duration) : frequency_(frequency), duration_(duration) {}

  double frequency() const { return frequency_; }  // hertz
  void setFrequency(double frequency) { frequency_ = frequency; }
  double duration() const { return duration_; }  // seconds
  void setDuration(double duration) { duration_ = duration; }

 private:
  double frequency_ = 0.0;
  double duration_ = 0.0;
};

}  // namespace balalaika
