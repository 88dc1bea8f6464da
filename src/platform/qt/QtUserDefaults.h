#pragma once
// The user-defaults store on QSettings (INI format) in the per-application config location.
//
// Every operation holds one mutex, so each is atomic from any thread. Values are written with
// their type ("b:true", "i:42", "d:0.5", "s:text"); a value of another type, a hand-edited value
// without a type, or a file that cannot be parsed reads as absent and never crashes; an unparsable
// file is moved aside to "<file>.corrupt" so that new values can be stored again.
// Changes are kept in memory until synchronize() (or destruction) writes the whole file; QSettings
// writes it to a temporary file and renames that over the old one (atomic sync required), so a
// crash, even a kill -9 in the middle of a write, leaves the previous or the new file, never half
// of one.

#include <QString>
#include <memory>
#include <mutex>

#include "platform/UserDefaults.h"

class QSettings;

namespace balalaika::qt {

class QtUserDefaults final : public platform::UserDefaults {
 public:
  // The store in the INI file at filePath (created on the first write).
  explicit QtUserDefaults(const QString& filePath);
  // Writes pending changes.
  ~QtUserDefaults() override;
  QtUserDefaults(const QtUserDefaults&) = delete;
  QtUserDefaults& operator=(const QtUserDefaults&) = delete;

  // "<per-application config folder>/defaults.ini"; the folder follows XDG_CONFIG_HOME and the
  // application's organisation and name.
  static QString defaultFilePath();

  std::optional<bool> boolForKey(const std::string& key) const override;
  std::optional<std::int64_t> integerForKey(const std::string& key) const override;
  std::optional<double> doubleForKey(const std::string& key) const override;
  std::optional<std::string> stringForKey(const std::string& key) const override;

  void setBool(const std::string& key, bool value) override;
  void setInteger(const std::string& key, std::int64_t value) override;
  void setDouble(const std::string& key, double value) override;
  void setString(const std::string& key, const std::string& value) override;

  void removeObjectForKey(const std::string& key) override;
  void clearPersistentDomain() override;
  bool synchronize() override;

  QString filePath() const { return filePath_; }

 private:
  // The stored text of key after its type prefix, when the stored value has that type.
  std::optional<QString> typedValue(const std::string& key, QChar type) const;
  void setTypedValue(const std::string& key, QChar type, const QString& text);
  // (Re)creates the QSettings object for the file.
  void open();
  // Moves an unparsable file to "<file>.corrupt", replacing an older one.
  void setCorruptFileAside();

  const QString filePath_;
  mutable std::mutex mutex_;
  std::unique_ptr<QSettings> settings_;
};

}  // namespace balalaika::qt
