#include "platform/qt/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace balalaika::qt {
namespace {

constexpr const char* kDemoRecording = "audio/demo.flac";

}  // namespace

QString installedDataDir() {
  // The install rules place the data folder at one of these paths relative to the running
  // program's folder: the launcher's, or the window program's.
  for (const char* relative : {BT_DATA_DIR_FROM_BIN, BT_DATA_DIR_FROM_LIBEXEC}) {
    const QDir dir(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(relative));
    if (QFileInfo(dir.filePath(QString::fromLatin1(kDemoRecording))).isFile()) return dir.canonicalPath();
  }
  return {};
}

QString demoRecordingPath() {
  const QString installed = installedDataDir();
  const QString base = installed.isEmpty() ? QStringLiteral(BT_SOURCE_RESOURCES_DIR) : installed;
  return QDir(base).filePath(QString::fromLatin1(kDemoRecording));
}

QString installedTranslationsDir() {
  const QString installed = installedDataDir();
  if (installed.isEmpty()) return {};
  const QString dir = QDir(installed).filePath(QStringLiteral("translations"));
  return QFileInfo(dir).isDir() ? dir : QString();
}

}  // namespace balalaika::qt
