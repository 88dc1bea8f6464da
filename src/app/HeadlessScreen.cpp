#include "app/HeadlessScreen.h"

#include "tuner/CentsReading.h"
#include "tuner/UnisonCheck.h"

namespace balalaika::app {
namespace {

std::string lampColour(const HeadlessImageView& lamp) {
  if (!lamp.image()) return "none";
  const std::string& name = lamp.image()->name;
  if (name.rfind("green", 0) == 0) return "green";
  if (name.rfind("yellow", 0) == 0) return "yellow";
  return "none";
}

// "1st_string_6plus.png" -> "1"; hidden or empty overlays light nothing.
std::string litString(const HeadlessImageView& overlay) {
  if (overlay.hidden() || !overlay.image()) return "";
  const std::string& name = overlay.image()->name;
  if (name.size() > 1 && name.find("_string") != std::string::npos) return name.substr(0, 1);
  return "";
}

// "cents=-12.4 nearest=2", "cents=far-flat nearest=2", "cents=none nearest=none".
std::string centsFields(const std::optional<platform::CentsReading>& reading) {
  if (!reading) return "cents=none nearest=none";
  return "cents=" + cents::plainText(reading) + " nearest=" + std::to_string(reading->string);
}

// " unison=+3.2c" once a unison check has finished, else nothing.
std::string unisonField(const std::optional<platform::UnisonGap>& gap) {
  if (!gap) return "";
  return " unison=" + unison::plainText(unison::Gap{gap->cents, gap->beatsPerSecond, gap->inUnison});
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

HeadlessScreen::HeadlessScreen() {
  for (HeadlessView* view : std::initializer_list<HeadlessView*>{
           &freq_label_, &noteDisplay_, &currentTuningName_, &firstString_, &secondString_, &thirdString_,
           &aboutCongratsMessage_, &aboutMsg2_, &tfnoteDisplay_, &tfFreqLabel_, &centsLabel_, &tuneCue_, &LEDDisplay_,
           &LEDDisplay128_,
           &tunedString_, &tunedString5_, &tunedStringiPad_, &chartDisplay_, &firstFreqButton_, &secondFreqButton_,
           &thirdFreqButton_, &showPreviousTuningButton_, &showNextTuningButton_, &centsMeter_,
           &concertPitchLabel_, &lockLabel_, &aidMessage_, &unisonButton_, &unisonGap_}) {
    view->setOnChange(&onChange_);
  }
}

void HeadlessScreen::connect(ViewControllerOutlets& o) {
  o.freq_label = &freq_label_;
  o.noteDisplay = &noteDisplay_;
  o.LEDDisplay = &LEDDisplay_;
  o.LEDDisplay128 = &LEDDisplay128_;
  o.tunedString = &tunedString_;
  o.tunedString5 = &tunedString5_;
  o.tunedStringiPad = &tunedStringiPad_;
  o.currentTuningName = &currentTuningName_;
  o.chartDisplay = &chartDisplay_;
  o.firstString = &firstString_;
  o.secondString = &secondString_;
  o.thirdString = &thirdString_;
  o.firstFreqButton = &firstFreqButton_;
  o.secondFreqButton = &secondFreqButton_;
  o.thirdFreqButton = &thirdFreqButton_;
  o.showPreviousTuningButton = &showPreviousTuningButton_;
  o.showNextTuningButton = &showNextTuningButton_;
  o.aboutCongratsMessage = &aboutCongratsMessage_;
  o.aboutMsg2 = &aboutMsg2_;
  o.tfnoteDisplay = &tfnoteDisplay_;
  o.tfFreqLabel = &tfFreqLabel_;
  o.centsMeter = &centsMeter_;
  o.concertPitchLabel = &concertPitchLabel_;
  o.lockLabel = &lockLabel_;
  o.aidMessage = &aidMessage_;
  o.unisonButton = &unisonButton_;
  o.unisonGap = &unisonGap_;
  o.centsLabel = &centsLabel_;
  o.tuneCue = &tuneCue_;
}

std::string HeadlessScreen::summary() const {
  std::string string = litString(tunedString5_);
  if (string.empty()) string = litString(tunedString_);
  if (string.empty()) string = litString(tunedStringiPad_);
  std::string tone = tfnoteDisplay_.text();
  if (!tfFreqLabel_.text().empty()) tone += (tone.empty() ? "" : " ") + tfFreqLabel_.text();
  return "tuning=" + quoted(currentTuningName_.text()) + " freq=" + quoted(freq_label_.text()) +
         " note=" + quoted(noteDisplay_.text()) + " lamp=" + lampColour(LEDDisplay_) +
         " string=" + (string.empty() ? "none" : string) + " tone=" + quoted(tone) + " " + centsFields(centsMeter_.reading()) + unisonField(unisonGap_.gap());
}

std::optional<std::string> HeadlessScreen::changedSummary() {
  std::string now = summary();
  if (last_ == now) return std::nullopt;
  last_ = now;
  return now;
}

}  // namespace balalaika::app
