#pragma once
// Alerts that record what was built and shown; the test takes their buttons.

#include <atomic>
#include <memory>
#include <utility>
#include <vector>

#include "platform/AlertView.h"

namespace balalaika::fakes {

class FakeAlertView : public platform::AlertView {
 public:
  FakeAlertView(std::string title, std::string message, platform::AlertViewDelegate* delegate, std::string cancel,
                std::vector<std::string> others)
      : title_(std::move(title)), message_(std::move(message)), delegate_(delegate), cancel_(std::move(cancel)),
        others_(std::move(others)) {}

  std::string title() const override { return title_; }
  std::string message() const override { return message_; }
  std::string cancelButtonTitle() const override { return cancel_; }
  std::vector<std::string> otherButtonTitles() const override { return others_; }

  void show() override { visible_ = true; }
  void dismissWithClickedButtonIndex(int buttonIndex, bool) override {
    visible_ = false;
    if (delegate_) delegate_->alertViewDidDismissWithButtonIndex(*this, buttonIndex);
  }
  bool isVisible() const override { return visible_; }

  // The user takes the button at index.
  void tap(int buttonIndex) { dismissWithClickedButtonIndex(buttonIndex, true); }

 private:
  std::string title_, message_;
  platform::AlertViewDelegate* delegate_;
  std::string cancel_;
  std::vector<std::string> others_;
  std::atomic<bool> visible_{false};
};

class FakeAlertViewFactory : public platform::AlertViewFactory {
 public:
  std::shared_ptr<platform::AlertView> create(const std::string& title, const std::string& message,
                                              platform::AlertViewDelegate* delegate, const std::string& cancel,
                                              const std::vector<std::string>& others) override {
    auto alert = std::make_shared<FakeAlertView>(title, message, delegate, cancel, others);
    created.push_back(alert);
    return alert;
  }
  std::vector<std::shared_ptr<FakeAlertView>> created;
};

}  // namespace balalaika::fakes
