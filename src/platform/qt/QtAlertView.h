#pragma once
// The rating alert as a QObject for a QML popup to bind to: title, message, button titles by index
// (the cancel button first) and visibility; the popup calls choose(index) when a button is taken.
// Main thread only, except isVisible(), which any thread may call.

#include <QObject>
#include <QStringList>
#include <memory>

#include "platform/StoredAlertView.h"

namespace balalaika::qt {

class QtAlertView final : public QObject, public platform::StoredAlertView {
  Q_OBJECT
  Q_PROPERTY(QString title READ titleText CONSTANT)
  Q_PROPERTY(QString message READ messageText CONSTANT)
  Q_PROPERTY(QStringList buttonTitles READ buttonTitleTexts CONSTANT)
  Q_PROPERTY(bool visible READ isVisible NOTIFY visibleChanged)

 public:
  QtAlertView(const std::string& title, const std::string& message, platform::AlertViewDelegate* delegate,
              const std::string& cancelButtonTitle, const std::vector<std::string>& otherButtonTitles);

  QString titleText() const { return QString::fromStdString(title()); }
  QString messageText() const { return QString::fromStdString(message()); }
  QStringList buttonTitleTexts() const;

  // The user took the button at index. Ignored when the alert is not visible (a second tap) or the
  // index names no button.
  Q_INVOKABLE void choose(int index) { StoredAlertView::choose(index); }

 signals:
  void visibleChanged();
  void shown();
  // The alert went away: the button index (-1 for none) and whether to animate.
  void dismissed(int buttonIndex, bool animated);

 private:
  void didShow() override;
  void didHide(int buttonIndex, bool animated) override;
};

// Builds QtAlertViews and offers the newest one to QML as currentAlert, keeping it alive while it
// is offered. Main thread only.
class QtAlertViewFactory final : public QObject, public platform::AlertViewFactory {
  Q_OBJECT
  Q_PROPERTY(balalaika::qt::QtAlertView* currentAlert READ currentAlert NOTIFY currentAlertChanged)

 public:
  using QObject::QObject;

  std::shared_ptr<platform::AlertView> create(const std::string& title, const std::string& message,
                                              platform::AlertViewDelegate* delegate,
                                              const std::string& cancelButtonTitle,
                                              const std::vector<std::string>& otherButtonTitles) override;
  QtAlertView* currentAlert() const { return current_.get(); }

 signals:
  void currentAlertChanged();

 private:
  std::shared_ptr<QtAlertView> current_;
};

}  // namespace balalaika::qt
