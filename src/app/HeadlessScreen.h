#pragma once
// The tuner screen without a window: plain view objects that hold what the screen would show,
// and a summary line of it, printed whenever it changes. Main thread only.

#include <functional>
#include <optional>
#include <string>

#include "platform/Views.h"
#include "tuner/ViewController.h"

namespace balalaika::app {

// What every headless view shares: the screen's change callback, called when a value really
// changes (the controller sets the same values on every tick).
class HeadlessView {
 public:
  void setOnChange(const std::function<void()>* onChange) { onChange_ = onChange; }

 protected:
  template <typename T>
  void update(T& field, const T& value) {
    if (field == value) return;
    field = value;
    if (onChange_ != nullptr && *onChange_) (*onChange_)();
  }

 private:
  const std::function<void()>* onChange_ = nullptr;
};

class HeadlessLabel : public platform::Label, public HeadlessView {
 public:
  void setText(const std::string& text) override { update(text_, text); }
  void setHidden(bool hidden) override { update(hidden_, hidden); }
  const std::string& text() const { return text_; }
  bool hidden() const { return hidden_; }

 private:
  std::string text_;
  bool hidden_ = false;
};

class HeadlessImageView : public platform::ImageView, public HeadlessView {
 public:
  void setImage(const std::optional<platform::Image>& image) override { update(image_, image); }
  void setHidden(bool hidden) override { update(hidden_, hidden); }
  const std::optional<platform::Image>& image() const { return image_; }
  bool hidden() const { return hidden_; }

 private:
  std::optional<platform::Image> image_;
  bool hidden_ = false;
};

class HeadlessButton : public platform::Button, public HeadlessView {
 public:
  void setTitle(const std::string& title) override { update(title_, title); }
  void setHidden(bool hidden) override { update(hidden_, hidden); }
  const std::string& title() const { return title_; }
  bool hidden() const { return hidden_; }

 private:
  std::string title_;
  bool hidden_ = false;
};

class HeadlessCentsMeter : public platform::CentsMeter, public HeadlessView {
 public:
  void setReading(const std::optional<platform::CentsReading>& reading) override { update(reading_, reading); }
  void setHidden(bool hidden) override { update(hidden_, hidden); }
  const std::optional<platform::CentsReading>& reading() const { return reading_; }

 private:
  std::optional<platform::CentsReading> reading_;
  bool hidden_ = false;
};

class HeadlessUnisonView : public platform::UnisonView, public HeadlessView {
 public:
  void setGap(const std::optional<platform::UnisonGap>& gap) override { update(gap_, gap); }
  void setHidden(bool hidden) override { update(hidden_, hidden); }
  const std::optional<platform::UnisonGap>& gap() const { return gap_; }
  bool hidden() const { return hidden_; }

 private:
  std::optional<platform::UnisonGap> gap_;
  bool hidden_ = false;
};

class HeadlessScreen {
 public:
  HeadlessScreen();
  HeadlessScreen(const HeadlessScreen&) = delete;  // the views point at this screen's callback
  HeadlessScreen& operator=(const HeadlessScreen&) = delete;

  // Connects every element to the controller's outlets.
  void connect(ViewControllerOutlets& outlets);

  // Called whenever a value on the screen changes (several times in one tick, maybe).
  void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

  // One line of what the screen shows now, without the time:
  // tuning="..." freq="..." note="..." lamp=yellow|green|none string=1|2|3|none tone="..."
  //   cents=-12.4|far-flat|far-sharp|none nearest=1|2|3|none
  // string is the lit string; cents the meter's reading from the nearest string of the tuning.
  // A finished unison check adds " unison=+3.2c" (string 3 from string 2).
  std::string summary() const;

  // The summary when it differs from the last one returned (the first call always returns it).
  std::optional<std::string> changedSummary();

  // Every element with its outlet name, for a front end that draws them (the browser page):
  // f(name, element) with a HeadlessLabel, HeadlessImageView, HeadlessButton, HeadlessCentsMeter
  // or HeadlessUnisonView.
  template <typename F>
  void forEachElement(F&& f) const {
    f("freq_label", freq_label_);
    f("noteDisplay", noteDisplay_);
    f("currentTuningName", currentTuningName_);
    f("firstString", firstString_);
    f("secondString", secondString_);
    f("thirdString", thirdString_);
    f("aboutCongratsMessage", aboutCongratsMessage_);
    f("aboutMsg2", aboutMsg2_);
    f("tfnoteDisplay", tfnoteDisplay_);
    f("tfFreqLabel", tfFreqLabel_);
    f("centsLabel", centsLabel_);
    f("tuneCue", tuneCue_);
    f("LEDDisplay", LEDDisplay_);
    f("LEDDisplay128", LEDDisplay128_);
    f("tunedString", tunedString_);
    f("tunedString5", tunedString5_);
    f("tunedStringiPad", tunedStringiPad_);
    f("chartDisplay", chartDisplay_);
    f("firstFreqButton", firstFreqButton_);
    f("secondFreqButton", secondFreqButton_);
    f("thirdFreqButton", thirdFreqButton_);
    f("showPreviousTuningButton", showPreviousTuningButton_);
    f("showNextTuningButton", showNextTuningButton_);
    f("centsMeter", centsMeter_);
    f("concertPitchLabel", concertPitchLabel_);
    f("lockLabel", lockLabel_);
    f("aidMessage", aidMessage_);
    f("unisonButton", unisonButton_);
    f("unisonGap", unisonGap_);
  }

 private:
  HeadlessLabel freq_label_, noteDisplay_, currentTuningName_, firstString_, secondString_, thirdString_,
      aboutCongratsMessage_, aboutMsg2_, tfnoteDisplay_, tfFreqLabel_, centsLabel_, tuneCue_, concertPitchLabel_,
      lockLabel_, aidMessage_;
  HeadlessImageView LEDDisplay_, LEDDisplay128_, tunedString_, tunedString5_, tunedStringiPad_, chartDisplay_;
  HeadlessButton firstFreqButton_, secondFreqButton_, thirdFreqButton_, showPreviousTuningButton_,
      showNextTuningButton_, unisonButton_;
  HeadlessCentsMeter centsMeter_;
  HeadlessUnisonView unisonGap_;
  std::optional<std::string> last_;
  std::function<void()> onChange_;
};

}  // namespace balalaika::app
