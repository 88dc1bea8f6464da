// The tuned-string highlight: the picture of the matched string on the overlay that the
// installed layout uses, chosen by idiom, exact screen height and, for string 2, the tuning.

#include <array>

#include "tuner/ScreenMetrics.h"
#include "tuner/ScreenUpdates.h"
#include "tuner/TuningTable.h"
#include "tuner/ViewController.h"

namespace balalaika {
namespace {

struct HighlightPictures {
  platform::ImageView* ViewControllerOutlets::*view;
  const char* string1;
  const char* string2;   // tunings 1-3
  const char* string2b;  // tunings 4 and 5, whose string 2 sits elsewhere on the chart
  const char* string3;
};

constexpr HighlightPictures kPad{&ViewControllerOutlets::tunedStringiPad, "1st_string_iPad.png",
                                 "2nd_string_iPad.png", "2nd_string_iPad_b.png", "3rd_string_iPad.png"};
constexpr HighlightPictures kPhone480{&ViewControllerOutlets::tunedString, "1st_string.png", "2nd_string.png",
                                      "2nd_string_b.png", "3rd_string.png"};
constexpr HighlightPictures kPhone568{&ViewControllerOutlets::tunedString5, "1st_string_5.png", "2nd_string_5.png",
                                      "2nd_string_5_b.png", "3rd_string_5.png"};
constexpr HighlightPictures kPhone667{&ViewControllerOutlets::tunedString5, "1st_string_6.png", "2nd_string_6.png",
                                      "2nd_string_6_b.png", "3rd_string_6.png"};
// Every larger listed phone height (736 to 956 points).
constexpr HighlightPictures kPhoneLarge{&ViewControllerOutlets::tunedString5, "1st_string_6plus.png",
                                        "2nd_string_6plus.png", "2nd_string_6plus_b.png", "3rd_string_6plus.png"};

const HighlightPictures* phoneRow(double heightPoints) {
  if (heightPoints == 480.0) return &kPhone480;
  if (heightPoints == 568.0) return &kPhone568;
  if (heightPoints == 667.0) return &kPhone667;
  if (screen::isLargePhoneHeight(heightPoints)) return &kPhoneLarge;
  return nullptr;
}

const char* pictureFor(const HighlightPictures& row, int stringIndex, tuning::TuningIndex tuning) {
  switch (stringIndex) {
    case 1:
      return row.string1;
    case 2:
      return (tuning == 4 || tuning == 5) ? row.string2b : row.string2;
    default:
      return row.string3;
  }
}

}  // namespace

void ViewController::displayTunedString(int stringIndex) {
  if (stringIndex < 1 || stringIndex > 3) return;
  const HighlightPictures* row = nullptr;
  switch (screen::deviceClass(services_.device)) {
    case screen::DeviceClass::Pad:
      row = &kPad;
      break;
    case screen::DeviceClass::Phone:
      row = phoneRow(services_.device.screenHeight());
      break;
    case screen::DeviceClass::Other:
      break;
  }
  if (row == nullptr) return;
  screen::setImageNamed(outlets_.*(row->view), services_.images,
                        pictureFor(*row, stringIndex, tuning::currentTuning()));
}

}  // namespace balalaika
