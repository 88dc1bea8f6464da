#include "platform/qt/QtUserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QEvent>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace balalaika::qt {
namespace {

constexpr QChar kBool = u'b';
constexpr QChar kInteger = u'i';
constexpr QChar kDouble = u'd';
constexpr QChar kString = u's';

// QSettings writes itself back from the event loop of the thread it lives in, which would run
// outside our mutex. Those automatic writes are switched off: the file is written by
// synchronize() and on destruction only, always under the mutex.
class ManualSettings final : public QSettings {
 public:
  using QSettings::QSettings;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::UpdateRequest) return true;
    return QSettings::event(e);
  }
};

QString keyOf(const std::string& key) { return QString::fromStdString(key); }

// A lock file this young may belong to a writer that has created it and is about to fill it in.
constexpr qint64 kLockFillInMs = 100;

// QSettings guards every write with "<file>.lock" (QLockFile): the writer creates it empty, then
// writes its process id into it, and holds an flock on it until done. A writer killed between
// creating and filling it in leaves an empty lock that names nobody, which QLockFile takes for
// stale only when it is 30 s old: the next write, for instance the next start of the tuner, would
// stall until then. An empty lock that no process holds is such a leftover and is removed.
void removeAbandonedLock(const QString& filePath) {
  const QByteArray lockPath = QFile::encodeName(filePath + QStringLiteral(".lock"));
  const int fd = ::open(lockPath.constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return;
  struct stat opened {};
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && opened.st_size == 0) {
    const qint64 ageMs = QFileInfo(QFile::decodeName(lockPath)).lastModified().msecsTo(QDateTime::currentDateTime());
    if (ageMs < kLockFillInMs) QThread::msleep(static_cast<unsigned long>(kLockFillInMs - std::max<qint64>(ageMs, 0)));
    struct stat now {};
    // Still empty, and still the file at that name: nobody was about to fill it in.
    if (::fstat(fd, &opened) == 0 && opened.st_size == 0 && ::stat(lockPath.constData(), &now) == 0 &&
        now.st_ino == opened.st_ino && now.st_dev == opened.st_dev) {
      ::unlink(lockPath.constData());
    }
  }
  ::close(fd);
}

}  // namespace

QtUserDefaults::QtUserDefaults(const QString& filePath) : filePath_(filePath) {
  open();
  if (settings_->status() == QSettings::FormatError) {
    // Nothing in an unreadable file can be trusted, and QSettings would never write over it:
    // keep it aside for inspection and start empty.
    setCorruptFileAside();
    open();
  }
}

void QtUserDefaults::open() {
  settings_ = std::make_unique<ManualSettings>(filePath_, QSettings::IniFormat);
  settings_->setAtomicSyncRequired(true);
}

void QtUserDefaults::setCorruptFileAside() {
  const QString aside = filePath_ + QStringLiteral(".corrupt");
  QFile::remove(aside);
  if (!QFile::rename(filePath_, aside)) QFile::remove(filePath_);
}

QtUserDefaults::~QtUserDefaults() {
  std::lock_guard lock(mutex_);
  removeAbandonedLock(filePath_);
  settings_->sync();
}

QString QtUserDefaults::defaultFilePath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/defaults.ini");
}

std::optional<QString> QtUserDefaults::typedValue(const std::string& key, QChar type) const {
  std::lock_guard lock(mutex_);
  const QVariant value = settings_->value(keyOf(key));
  // Anything but a text (a list from a hand-edited line with commas, nothing at all) has no type.
  if (value.typeId() != QMetaType::QString) return std::nullopt;
  const QString text = value.toString();
  if (text.size() < 2 || text[0] != type || text[1] != u':') return std::nullopt;
  return text.mid(2);
}

void QtUserDefaults::setTypedValue(const std::string& key, QChar type, const QString& text) {
  std::lock_guard lock(mutex_);
  settings_->setValue(keyOf(key), QString(type) + u':' + text);
}

std::optional<bool> QtUserDefaults::boolForKey(const std::string& key) const {
  const auto text = typedValue(key, kBool);
  if (text == QStringLiteral("true")) return true;
  if (text == QStringLiteral("false")) return false;
  return std::nullopt;
}

std::optional<std::int64_t> QtUserDefaults::integerForKey(const std::string& key) const {
  const auto text = typedValue(key, kInteger);
  if (!text) return std::nullopt;
  bool ok = false;
  const qlonglong value = text->toLongLong(&ok);
  if (!ok) return std::nullopt;
  return static_cast<std::int64_t>(value);
}

std::optional<double> QtUserDefaults::doubleForKey(const std::string& key) const {
  const auto text = typedValue(key, kDouble);
  if (!text) return std::nullopt;
  bool ok = false;
  const double value = text->toDouble(&ok);
  if (!ok) return std::nullopt;
  return value;
}

std::optional<std::string> QtUserDefaults::stringForKey(const std::string& key) const {
  const auto text = typedValue(key, kString);
  if (!text) return std::nullopt;
  return text->toStdString();
}

void QtUserDefaults::setBool(const std::string& key, bool value) {
  setTypedValue(key, kBool, value ? QStringLiteral("true") : QStringLiteral("false"));
}

void QtUserDefaults::setInteger(const std::string& key, std::int64_t value) {
  setTypedValue(key, kInteger, QString::number(static_cast<qlonglong>(value)));
}

void QtUserDefaults::setDouble(const std::string& key, double value) {
  // 17 significant digits: every double reads back exactly.
  setTypedValue(key, kDouble, QString::number(value, 'g', 17));
}

void QtUserDefaults::setString(const std::string& key, const std::string& value) {
  setTypedValue(key, kString, QString::fromStdString(value));
}

void QtUserDefaults::removeObjectForKey(const std::string& key) {
  std::lock_guard lock(mutex_);
  settings_->remove(keyOf(key));
}

void QtUserDefaults::clearPersistentDomain() {
  std::lock_guard lock(mutex_);
  settings_->clear();
}

bool QtUserDefaults::synchronize() {
  std::lock_guard lock(mutex_);
  QDir().mkpath(QFileInfo(filePath_).absolutePath());
  removeAbandonedLock(filePath_);
  settings_->sync();
  if (settings_->status() == QSettings::FormatError) {
    // The file was damaged since it was read: replace it with what this process holds (its
    // changes since the last flush, and whatever of the damaged file could still be parsed).
    QList<std::pair<QString, QVariant>> values;
    for (const QString& key : settings_->allKeys()) values.append({key, settings_->value(key)});
    setCorruptFileAside();
    open();
    for (const auto& [key, value] : values) settings_->setValue(key, value);
    settings_->sync();
  }
  return settings_->status() == QSettings::NoError;
}

}  // namespace balalaika::qt
