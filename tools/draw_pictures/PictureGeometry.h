#pragma once
// The one description of every picture the screen uses: names, pixel sizes and the geometry that
// charts and string highlights share. The drawing program and the tests read it; nothing else
// holds a picture coordinate.
//
// Every chart and every highlight has the aspect ratio 3:4 (width:height) and is drawn in one
// design space of 300 x 400 units, scaled uniformly to the picture's pixel size (pixels per unit =
// width / 300). Because the screen fits chart and highlight into the same rectangle keeping their
// aspect ratio, a string at design x lands on the same screen point in both, whatever their sizes.
//
// Strings run vertically (headstock up, as the player sees the instrument held in front of them
// turned upright): string 1, the highest-pitched, on the right; string 3 on the left. Each string
// carries a round note chip at its top end on the headstock.

#include <array>
#include <string>
#include <vector>

namespace balalaika::pictures {

// Design space in units.
inline constexpr double kDesignWidth = 300.0;
inline constexpr double kDesignHeight = 400.0;

// A string of the chart: a vertical line at x from top to bottom, in design units.
struct StringLine {
  double x;
  double top;
  double bottom;
};

// String 1 (index 0) .. string 3 (index 2).
inline constexpr std::array<StringLine, 3> kStrings{{
    {186.0, 50.0, 370.0},
    {150.0, 50.0, 370.0},
    {114.0, 50.0, 370.0},
}};

// Note chips at the top of the strings: centre y and radius in units; centre x is the string's x.
inline constexpr double kChipCentreY = 34.0;
inline constexpr double kChipRadius = 15.0;

// A highlight paints nothing farther than this from its string's x (half the string spacing is 18).
inline constexpr double kLitHalfWidth = 17.5;

// The plain string-2 highlight (tunings where strings 2 and 3 sound one note) also marks string 3's
// chip and ties it to string 2's chip. That mark stays inside this rectangle (units).
struct Rect {
  double left;
  double top;
  double right;
  double bottom;
};
inline constexpr Rect kUnisonMarkArea{96.5, 0.0, 150.0, 52.0};

// Note names per tuning (1..5, index 0..4), strings 1..3.
inline constexpr std::array<std::array<const char*, 3>, 5> kTuningNotes{{
    {"A4", "E4", "E4"},
    {"D4", "A3", "A3"},
    {"A3", "E3", "E3"},
    {"D3", "A2", "E2"},
    {"D2", "A1", "E1"},
}};

// Reference pitch of each note in hertz (equal temperament, A4 = 440), used for string thickness.
double noteFrequency(const std::string& note);

enum class Kind { Lamp, Chart, Highlight };
enum class LampColour { Yellow, Green };

struct Picture {
  std::string name;  // exact resource name, e.g. "2nd_string_6plus_b.png"
  Kind kind;
  int width;         // pixels
  int height;        // pixels
  LampColour lamp = LampColour::Yellow;  // lamps only
  int tuning = 0;    // charts only: 1..5
  int string = 0;    // highlights only: 1..3
  bool unison = false;  // highlights of string 2 only: strings 2 and 3 share the note
};

// Pixel sizes, in one place. Small-phone charts and the highlights of the 480- and 568-point
// phones are 270 x 360; tablet charts and the highlights of the 667-point and larger phones and of
// pads are 540 x 720. Lamps are square.
inline constexpr int kSmallChartWidth = 270;
inline constexpr int kSmallChartHeight = 360;
inline constexpr int kLargeChartWidth = 540;
inline constexpr int kLargeChartHeight = 720;

// Highlight size classes: the name suffix and whether it sits on the tablet chart.
struct SizeClass {
  const char* suffix;
  bool onLargeChart;
};
inline constexpr std::array<SizeClass, 5> kSizeClasses{{
    {"", false},        // 480-point phones
    {"_5", false},      // 568-point phones
    {"_6", true},       // 667-point phones
    {"_6plus", true},   // 736-point and larger phones
    {"_iPad", true},    // pads
}};

// The chart names of a tuning (1..5): "chartiphone.png", "chartiphone2.png", ...
std::string smallChartName(int tuning);
std::string largeChartName(int tuning);

// Every picture: 4 lamps, 10 charts, 20 highlights.
const std::vector<Picture>& allPictures();

}  // namespace balalaika::pictures
