#pragma once
// The screen's elements as the logic sees them. Every call is made on the main thread.
// Setting a value that is already shown is still a call: nothing is cached on either side.

#include <optional>
#include <string>

namespace balalaika::platform {

// A picture found among the application's resources by its exact name ("green64.png").
struct Image {
  std::string name;
  bool operator==(const Image&) const = default;
};

class Images {
 public:
  virtual ~Images() = default;
  // The picture with this resource name, or nothing when the application has none.
  virtual std::optional<Image> imageNamed(const std::string& name) const = 0;
};

class View {
 public:
  virtual ~View() = default;
  virtual void setHidden(bool hidden) = 0;
};

class Label : public View {
 public:
  virtual void setText(const std::string& text) = 0;
};

class ImageView : public View {
 public:
  // Nothing empties the view.
  virtual void setImage(const std::optional<Image>& image) = 0;
};

class Button : public View {
 public:
  // The title shown in the normal control state.
  virtual void setTitle(const std::string& title) = 0;
};

// Where a played pitch lies from the nearest string of the tuning, as a cents meter shows it.
struct CentsReading {
  enum class Range { Near, FarFlat, FarSharp };  // within ±50 cents, or beyond on either side
  enum class Cue { None, TuneUp, TuneDown };      // which way to turn the peg
  double cents = 0.0;  // signed distance from the target pitch, -50..50 (±50 when far)
  int string = 0;      // the nearest string of the tuning, 1..3
  Range range = Range::Near;
  Cue cue = Cue::None;
  bool operator==(const CentsReading&) const = default;
};

class CentsMeter : public View {
 public:
  // Nothing: the needle rests at the centre and no cue shows.
  virtual void setReading(const std::optional<CentsReading>& reading) = 0;
};

// The result of a unison check: how far string 3 lies from string 2.
struct UnisonGap {
  double cents = 0.0;           // signed: negative when string 3 is lower
  double beatsPerSecond = 0.0;  // the beat rate the two make together
  bool inUnison = false;        // within ±1 cent
  bool operator==(const UnisonGap&) const = default;
};

class UnisonView : public View {
 public:
  // Nothing: no check has finished since the last one started.
  virtual void setGap(const std::optional<UnisonGap>& gap) = 0;
};

}  // namespace balalaika::platform
