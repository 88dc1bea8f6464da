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

void QtCentsMeter::setReading(const std::optional<platform::CentsReading>& reading) {
  if (reading == reading_) return;
  reading_ = reading;
  emit readingChanged();
}

void QtCentsMeter::setHidden(bool hidden) {
  if (hidden == hidden_) return;
  hidden_ = hidden;
  emit hiddenChanged();
}

int QtCentsMeter::far() const {
  if (!reading_) return 0;
  switch (reading_->range) {
    case platform::CentsReading::Range::FarFlat:
      return -1;
    case platform::CentsReading::Range::FarSharp:
      return 1;
    case platform::CentsReading::Range::Near:
      break;
  }
  return 0;
}

int QtCentsMeter::cue() const {
  if (!reading_) return 0;
  switch (reading_->cue) {
    case platform::CentsReading::Cue::TuneUp:
      return 1;
    case platform::CentsReading::Cue::TuneDown:
      return -1;
    case platform::CentsReading::Cue::None:
      break;
  }
  return 0;
}

void QtUnisonView::setGap(const std::optional<platform::UnisonGap>& gap) {
  if (gap_ == gap) return;
  gap_ = gap;
  emit gapChanged();
}

void QtUnisonView::setHidden(bool hidden) {
  if (hidden_ == hidden) return;
  hidden_ = hidden;
  emit hiddenChanged();
}

}  // namespace balalaika::qt
