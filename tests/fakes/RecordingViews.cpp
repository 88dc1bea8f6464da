#include "fakes/RecordingViews.h"

namespace balalaika::fakes {
namespace {
const char* flag(bool value) { return value ? "true" : "false"; }
}  // namespace

void RecordingLabel::setHidden(bool value) {
  log_.record(name_, "setHidden", flag(value));
  hidden = value;
}

void RecordingLabel::setText(const std::string& value) {
  log_.record(name_, "setText", value);
  text = value;
}

void RecordingImageView::setHidden(bool value) {
  log_.record(name_, "setHidden", flag(value));
  hidden = value;
}

void RecordingImageView::setImage(const std::optional<platform::Image>& value) {
  log_.record(name_, "setImage", value ? value->name : std::string());
  image = value;
}

void RecordingButton::setHidden(bool value) {
  log_.record(name_, "setHidden", flag(value));
  hidden = value;
}

void RecordingButton::setTitle(const std::string& value) {
  log_.record(name_, "setTitle", value);
  title = value;
}

std::optional<platform::Image> RecordingImages::imageNamed(const std::string& name) const {
  log_.record("images", "imageNamed", name);
  if (name.empty()) return std::nullopt;
  return platform::Image{name};
}

}  // namespace balalaika::fakes
