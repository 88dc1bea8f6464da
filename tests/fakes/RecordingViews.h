#pragma once
// Screen elements that remember what they show.

#include <optional>
#include <string>

#include "platform/Views.h"

namespace balalaika::fakes {

class RecordingLabel : public platform::Label {
 public:
  void setHidden(bool value) override { hidden = value; }
  void setText(const std::string& value) override { text = value; }
  std::string text;
  bool hidden = false;
};

class RecordingImageView : public platform::ImageView {
 public:
  void setHidden(bool value) override { hidden = value; }
  void setImage(const std::optional<platform::Image>& value) override { image = value; }
  // The shown picture's name, "" when empty.
  std::string imageName() const { return image ? image->name : std::string(); }
  std::optional<platform::Image> image;
  bool hidden = false;
};

class RecordingButton : public platform::Button {
 public:
  void setHidden(bool value) override { hidden = value; }
  void setTitle(const std::string& value) override { title = value; }
  std::string title;
  bool hidden = false;
};

class RecordingUnisonView : public platform::UnisonView {
 public:
  void setHidden(bool value) override { hidden = value; }
  void setGap(const std::optional<platform::UnisonGap>& value) override { gap = value; }
  std::optional<platform::UnisonGap> gap;
  bool hidden = false;
};

// Finds a picture by any non-empty name.
class RecordingImages : public platform::Images {
 public:
  std::optional<platform::Image> imageNamed(const std::string& name) const override {
    if (name.empty()) return std::nullopt;
    return platform::Image{name};
  }
};

}  // namespace balalaika::fakes
