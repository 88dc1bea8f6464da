#pragma once
// A modal alert with a title, a message and buttons. Button index 0 is the cancel button, the
// other buttons follow from index 1 in the order given. Everything except isVisible() is called
// on the main thread, and the delegate is called on the main thread.

#include <memory>
#include <string>
#include <vector>

namespace balalaika::platform {

class AlertView;

class AlertViewDelegate {
 public:
  virtual ~AlertViewDelegate() = default;
  // The alert has gone, through a button (its index) or a programmatic dismissal (the index given).
  virtual void alertViewDidDismissWithButtonIndex(AlertView& alert, int buttonIndex) = 0;
};

class AlertView {
 public:
  virtual ~AlertView() = default;

  virtual std::string title() const = 0;
  virtual std::string message() const = 0;
  virtual std::string cancelButtonTitle() const = 0;
  virtual std::vector<std::string> otherButtonTitles() const = 0;
  // All button titles by index: the cancel button first, then the others.
  std::vector<std::string> buttonTitles() const {
    std::vector<std::string> all{cancelButtonTitle()};
    for (auto& t : otherButtonTitles()) all.push_back(t);
    return all;
  }

  virtual void show() = 0;
  // Removes the alert as if the button at buttonIndex had been taken (-1 for none); the delegate
  // receives that index.
  virtual void dismissWithClickedButtonIndex(int buttonIndex, bool animated) = 0;
  // True from show() until the alert is dismissed. Safe to call from any thread.
  virtual bool isVisible() const = 0;
};

class AlertViewFactory {
 public:
  virtual ~AlertViewFactory() = default;
  // A new alert, not yet shown. The delegate must outlive the alert's dismissal.
  virtual std::shared_ptr<AlertView> create(const std::string& title, const std::string& message,
                                            AlertViewDelegate* delegate, const std::string& cancelButtonTitle,
                                            const std::vector<std::string>& otherButtonTitles) = 0;
};

}  // namespace balalaika::platform
