#pragma once
// Screen elements that record every call, in order, into one call log shared by all of them,
// and remember what they show. Entries read "<element>.<call>(<value>)", for instance
// "freq_label.setText(440.0Hz)", "LEDDisplay.setImage(green64.png)", "tunedString.setHidden(true)",
// "images.imageNamed(green64.png)"; an emptied image view records "setImage()".

#include <optional>
#include <string>
#include <vector>

#include "platform/Views.h"

namespace balalaika::fakes {

struct ViewCallLog {
  std::vector<std::string> calls;
  void record(const std::string& element, const std::string& call, const std::string& value) {
    calls.push_back(element + "." + call + "(" + value + ")");
  }
  void clear() { calls.clear(); }
};

class RecordingLabel : public platform::Label {
 public:
  RecordingLabel(std::string name, ViewCallLog& log) : name_(std::move(name)), log_(log) {}
  void setHidden(bool hidden) override;
  void setText(const std::string& text) override;
  std::string text;
  bool hidden = false;

 private:
  std::string name_;
  ViewCallLog& log_;
};

class RecordingImageView : public platform::ImageView {
 public:
  RecordingImageView(std::string name, ViewCallLog& log) : name_(std::move(name)), log_(log) {}
  void setHidden(bool hidden) override;
  void setImage(const std::optional<platform::Image>& image) override;
  std::optional<platform::Image> image;
  bool hidden = false;
  // The shown picture's name, "" when empty.
  std::string imageName() const { return image ? image->name : std::string(); }

 private:
  std::string name_;
  ViewCallLog& log_;
};

class RecordingButton : public platform::Button {
 public:
  RecordingButton(std::string name, ViewCallLog& log) : name_(std::move(name)), log_(log) {}
  void setHidden(bool hidden) override;
  void setTitle(const std::string& title) override;
  std::string title;
  bool hidden = false;

 private:
  std::string name_;
  ViewCallLog& log_;
};

// Finds a picture by any non-empty name.
class RecordingImages : public platform::Images {
 public:
  explicit RecordingImages(ViewCallLog& log) : log_(log) {}
  std::optional<platform::Image> imageNamed(const std::string& name) const override;

 private:
  ViewCallLog& log_;
};

}  // namespace balalaika::fakes
