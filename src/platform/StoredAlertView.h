#pragma once
// An alert's texts, buttons, delegate and visibility, kept and answered the same way on every
// platform. The platform draws it: showing and hiding reach it through didShow and didHide; a
// button the user takes comes back through choose. A button can be taken once only: whatever
// comes after the alert has gone (a second tap, a late programmatic dismissal) changes nothing.

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "platform/AlertView.h"

namespace balalaika::platform {

class StoredAlertView : public AlertView {
 public:
  StoredAlertView(std::string title, std::string message, AlertViewDelegate* delegate, std::string cancelButtonTitle,
                  std::vector<std::string> otherButtonTitles)
      : title_(std::move(title)),
        message_(std::move(message)),
        cancel_(std::move(cancelButtonTitle)),
        others_(std::move(otherButtonTitles)),
        delegate_(delegate) {}

  std::string title() const final { return title_; }
  std::string message() const final { return message_; }
  std::string cancelButtonTitle() const final { return cancel_; }
  std::vector<std::string> otherButtonTitles() const final { return others_; }
  bool isVisible() const final { return visible_; }

  void show() final {
    if (visible_.exchange(true)) return;
    didShow();
  }
  void dismissWithClickedButtonIndex(int buttonIndex, bool animated) final {
    if (!visible_.exchange(false)) return;
    didHide(buttonIndex, animated);
    if (delegate_ != nullptr) delegate_->alertViewDidDismissWithButtonIndex(*this, buttonIndex);
  }
  // The user took the button at index (0 the cancel button); an index that names no button is
  // ignored.
  void choose(int index) {
    if (index < 0 || index > static_cast<int>(others_.size())) return;
    dismissWithClickedButtonIndex(index, true);
  }

 protected:
  virtual void didShow() = 0;
  virtual void didHide(int buttonIndex, bool animated) = 0;

 private:
  const std::string title_, message_, cancel_;
  const std::vector<std::string> others_;
  AlertViewDelegate* const delegate_;
  std::atomic<bool> visible_{false};
};

}  // namespace balalaika::platform
