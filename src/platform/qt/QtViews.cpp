#include "platform/qt/QtViews.h"

#include "platform/qt/QtImages.h"

namespace balalaika::qt {

void QtLabel::setText(const std::string& text) {
  const auto value = QString::fromStdString(text);
  if (value == text_) return;
  text_ = value;
  emit textChanged();
}

void QtLabel::setHidden(bool hidden) {
  if (hidden == hidden_) return;
  hidden_ = hidden;
  emit hiddenChanged();
}

void QtImageView::setImage(const std::optional<platform::Image>& image) {
  const auto name = image ? QString::fromStdString(image->name) : QString();
  if (name == imageName_) return;
  imageName_ = name;
  emit imageChanged();
}

void QtImageView::setHidden(bool hidden) {
  if (hidden == hidden_) return;
  hidden_ = hidden;
  emit hiddenChanged();
}

QUrl QtImageView::source() const { return imageName_.isEmpty() ? QUrl() : QtImages::urlOf(imageName_); }

void QtButton::setTitle(const std::string& title) {
  const auto value = QString::fromStdString(title);
  if (value == title_) return;
  title_ = value;
  emit titleChanged();
}

void QtButton::setHidden(bool hidden) {
  if (hidden == hidden_) return;
  hidden_ = hidden;
  emit hiddenChanged();
}

}  // namespace balalaika::qt
