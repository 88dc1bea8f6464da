#pragma once
// Plain property sets on screen elements that the installed layout may lack: an absent
// element is not updated. Main thread only.

#include <string>

#include "platform/Views.h"

namespace balalaika::screen {

inline void setText(platform::Label* label, const std::string& text) {
  if (label != nullptr) label->setText(text);
}

inline void setHidden(platform::View* view, bool hidden) {
  if (view != nullptr) view->setHidden(hidden);
}

inline void setTitle(platform::Button* button, const std::string& title) {
  if (button != nullptr) button->setTitle(title);
}

// Looks the picture up by resource name and sets it; an unknown name empties the view.
inline void setImageNamed(platform::ImageView* view, const platform::Images& images, const std::string& name) {
  if (view != nullptr) view->setImage(images.imageNamed(name));
}

}  // namespace balalaika::screen
