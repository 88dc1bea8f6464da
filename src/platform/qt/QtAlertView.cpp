#include "platform/qt/QtAlertView.h"

namespace balalaika::qt {

QtAlertView::QtAlertView(const std::string& title, const std::string& message, platform::AlertViewDelegate* delegate,
                         const std::string& cancelButtonTitle, const std::vector<std::string>& otherButtonTitles)
    : StoredAlertView(title, message, delegate, cancelButtonTitle, otherButtonTitles) {
  // Owned by C++ (shared pointers). QML reaches it only through the factory's currentAlert
  // property, and an object read from a property stays owned by C++: QML never deletes it.
}

QStringList QtAlertView::buttonTitleTexts() const {
  QStringList titles;
  for (const auto& t : buttonTitles()) titles << QString::fromStdString(t);
  return titles;
}

void QtAlertView::didShow() {
  emit visibleChanged();
  emit shown();
}

void QtAlertView::didHide(int buttonIndex, bool animated) {
  emit visibleChanged();
  emit dismissed(buttonIndex, animated);
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
