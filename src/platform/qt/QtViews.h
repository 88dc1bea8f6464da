#pragma once
// The screen's elements as objects the QML binds to. The logic sets their values on every
// tick; each NOTIFY signal is emitted only when a value really changes, so the QML redraws
// only what changed. Main thread only.

#include <QObject>
#include <QString>
#include <QUrl>

#include "platform/Views.h"

namespace balalaika::qt {

class QtLabel : public QObject, public platform::Label {
  Q_OBJECT
  Q_PROPERTY(QString text READ text NOTIFY textChanged)
  Q_PROPERTY(bool hidden READ hidden NOTIFY hiddenChanged)

 public:
  using QObject::QObject;
  void setText(const std::string& text) override;
  void setHidden(bool hidden) override;
  QString text() const { return text_; }
  bool hidden() const { return hidden_; }

 signals:
  void textChanged();
  void hiddenChanged();

 private:
  QString text_;
  bool hidden_ = false;
};

class QtImageView : public QObject, public platform::ImageView {
  Q_OBJECT
  // "qrc:/images/<name>" of the picture shown, or an empty address when the view is empty.
  Q_PROPERTY(QUrl source READ source NOTIFY imageChanged)
  // The picture's resource name, or the empty text.
  Q_PROPERTY(QString imageName READ imageName NOTIFY imageChanged)
  Q_PROPERTY(bool hidden READ hidden NOTIFY hiddenChanged)

 public:
  using QObject::QObject;
  void setImage(const std::optional<platform::Image>& image) override;
  void setHidden(bool hidden) override;
  QUrl source() const;
  QString imageName() const { return imageName_; }
  bool hidden() const { return hidden_; }

 signals:
  void imageChanged();
  void hiddenChanged();

 private:
  QString imageName_;
  bool hidden_ = false;
};

class QtButton : public QObject, public platform::Button {
  Q_OBJECT
  Q_PROPERTY(QString title READ title NOTIFY titleChanged)
  Q_PROPERTY(bool hidden READ hidden NOTIFY hiddenChanged)

 public:
  using QObject::QObject;
  void setTitle(const std::string& title) override;
  void setHidden(bool hidden) override;
  QString title() const { return title_; }
  bool hidden() const { return hidden_; }

 signals:
  void titleChanged();
  void hiddenChanged();

 private:
  QString title_;
  bool hidden_ = false;
};

class QtCentsMeter : public QObject, public platform::CentsMeter {
  Q_OBJECT
  // False at rest (no reading): the needle rests at the centre.
  Q_PROPERTY(bool active READ active NOTIFY readingChanged)
  // Needle position, -50..50 cents (0 at rest).
  Q_PROPERTY(double cents READ cents NOTIFY readingChanged)
  // -1 far flat, +1 far sharp, 0 within the scale.
  Q_PROPERTY(int far READ far NOTIFY readingChanged)
  // +1 tune up, -1 tune down, 0 no cue.
  Q_PROPERTY(int cue READ cue NOTIFY readingChanged)
  Q_PROPERTY(bool hidden READ hidden NOTIFY hiddenChanged)

 public:
  using QObject::QObject;
  void setReading(const std::optional<platform::CentsReading>& reading) override;
  void setHidden(bool hidden) override;
  bool active() const { return reading_.has_value(); }
  double cents() const { return reading_ ? reading_->cents : 0.0; }
  int far() const;
  int cue() const;
  bool hidden() const { return hidden_; }

 signals:
  void readingChanged();
  void hiddenChanged();

 private:
  std::optional<platform::CentsReading> reading_;
  bool hidden_ = false;
};

class QtUnisonView : public QObject, public platform::UnisonView {
  Q_OBJECT
  // False until a unison check finishes (and again when the next one starts).
  Q_PROPERTY(bool active READ active NOTIFY gapChanged)
  // String 3 from string 2, in cents, signed; the beats per second the two make.
  Q_PROPERTY(double cents READ cents NOTIFY gapChanged)
  Q_PROPERTY(double beatsPerSecond READ beatsPerSecond NOTIFY gapChanged)
  Q_PROPERTY(bool inUnison READ inUnison NOTIFY gapChanged)
  Q_PROPERTY(bool hidden READ hidden NOTIFY hiddenChanged)

 public:
  using QObject::QObject;
  void setGap(const std::optional<platform::UnisonGap>& gap) override;
  void setHidden(bool hidden) override;
  bool active() const { return gap_.has_value(); }
  double cents() const { return gap_ ? gap_->cents : 0.0; }
  double beatsPerSecond() const { return gap_ ? gap_->beatsPerSecond : 0.0; }
  bool inUnison() const { return gap_ && gap_->inUnison; }
  bool hidden() const { return hidden_; }

 signals:
  void gapChanged();
  void hiddenChanged();

 private:
  std::optional<platform::UnisonGap> gap_;
  bool hidden_ = false;
};

}  // namespace balalaika::qt
