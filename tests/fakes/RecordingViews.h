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

// Finds a picture by any non-empty name.
class RecordingImages : public platform::Images {
 public:
  std::optional<platform::Image> imageNamed(const std::string& name) const override {
    if (name.empty()) return std::nullopt;
    return platform::Image{name};
  }
};

}  // namespace balalaika::fakes
