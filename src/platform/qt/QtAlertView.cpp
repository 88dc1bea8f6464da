#include "platform/qt/QtAlertView.h"

namespace balalaika::qt {

QtAlertView::QtAlertView(const std::string& title, const std::string& message, platform::AlertViewDelegate* delegate,
                         const std::string& cancelButtonTitle, const std::vector<std::string>& otherButtonTitles)
    : title_(title), message_(message), cancel_(cancelButtonTitle), others_(otherButtonTitles), delegate_(delegate) {
  // Owned by C++ (shared pointers). QML reaches it only through the factory's currentAlert
  // property, and an object read from a property stays owned by C++: QML never deletes it.
}

QStringList QtAlertView::buttonTitleTexts() const {
  QStringList titles{QString::fromStdString(cancel_)};
  for (const auto& t : others_) titles << QString::fromStdString(t);
  return titles;
}

void QtAlertView::show() {
  if (visible_.exchange(true)) return;
  emit visibleChanged();
  emit shown();
}

void QtAlertView::dismissWithClickedButtonIndex(int buttonIndex, bool animated) { finish(buttonIndex, animated); }

void QtAlertView::choose(int index) {
  if (index < 0 || index > static_cast<int>(others_.size())) return;
  finish(index, true);
}

void QtAlertView::finish(int buttonIndex, bool animated) {
  if (!visible_.exchange(false)) return;  // already gone: a button can be taken once only
  emit visibleChanged();
  emit dismissed(buttonIndex, animated);
  if (delegate_) delegate_->alertViewDidDismissWithButtonIndex(*this, buttonIndex);
}

std::shared_ptr<platform::AlertView> QtAlertViewFactory::create(const std::string& title, const std::string& message,
                                                                platform::AlertViewDelegate* delegate,
                                                                const std::string& cancelButtonTitle,
                                                                const std::vector<std::string>& otherButtonTitles) {
  // The last reference may be dropped on another thread: deletion always happens on the main thread.
  current_ = std::shared_ptr<QtAlertView>(
      new QtAlertView(title, message, delegate, cancelButtonTitle, otherButtonTitles),
      [](QtAlertView* alert) { alert->deleteLater(); });
  emit currentAlertChanged();
  return current_;
}

}  // namespace balalaika::qt
