#include "PictureGeometry.h"

#include <cmath>
#include <stdexcept>

namespace balalaika::pictures {

double noteFrequency(const std::string& note) {
  // Semitones of the letter above C within its octave.
  static constexpr std::array<int, 7> kLetterSemitone{9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (note.size() != 2 || note[0] < 'A' || note[0] > 'G' || note[1] < '0' || note[1] > '9') {
    throw std::invalid_argument("not a note name: " + note);
  }
  const int semitone = kLetterSemitone[static_cast<std::size_t>(note[0] - 'A')];
  const int octave = note[1] - '0';
  const int fromA4 = (octave - 4) * 12 + semitone - 9;
  return 440.0 * std::pow(2.0, fromA4 / 12.0);
}

std::string smallChartName(int tuning) {
  return "chartiphone" + (tuning == 1 ? std::string() : std::to_string(tuning)) + ".png";
}

std::string largeChartName(int tuning) {
  return "chartipad" + (tuning == 1 ? std::string() : std::to_string(tuning)) + ".png";
}

namespace {

std::vector<Picture> makeAll() {
  std::vector<Picture> all;
  for (int size : {64, 128}) {
    all.push_back({"yellow" + std::to_string(size) + ".png", Kind::Lamp, size, size, LampColour::Yellow});
    all.push_back({"green" + std::to_string(size) + ".png", Kind::Lamp, size, size, LampColour::Green});
  }
  for (int tuning = 1; tuning <= 5; ++tuning) {
    all.push_back({smallChartName(tuning), Kind::Chart, kSmallChartWidth, kSmallChartHeight, {}, tuning});
    all.push_back({largeChartName(tuning), Kind::Chart, kLargeChartWidth, kLargeChartHeight, {}, tuning});
  }
  for (const SizeClass& sc : kSizeClasses) {
    const int w = sc.onLargeChart ? kLargeChartWidth : kSmallChartWidth;
    const int h = sc.onLargeChart ? kLargeChartHeight : kSmallChartHeight;
    const std::string s = sc.suffix;
    all.push_back({"1st_string" + s + ".png", Kind::Highlight, w, h, {}, 0, 1, false});
    all.push_back({"2nd_string" + s + ".png", Kind::Highlight, w, h, {}, 0, 2, true});
    all.push_back({"2nd_string" + s + "_b.png", Kind::Highlight, w, h, {}, 0, 2, false});
    all.push_back({"3rd_string" + s + ".png", Kind::Highlight, w, h, {}, 0, 3, false});
  }
  return all;
}

}  // namespace

const std::vector<Picture>& allPictures() {
  static const std::vector<Picture> all = makeAll();
  return all;
}

}  // namespace balalaika::pictures
