#include "platform/qt/Language.h"

#include "platform/qt/DataFiles.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace balalaika::qt {
namespace {

// The translator in use and its language; owned here for the life of the process.
struct Installed {
  std::unique_ptr<QTranslator> translator;
  QString language;
};

Installed& installed() {
  static Installed* state = new Installed;  // never destroyed: the application may outlive statics
  return *state;
}

}  // namespace

QStringList supportedLanguages() { return {QStringLiteral("en"), QStringLiteral("es"), QStringLiteral("ru")}; }

QString languageForUiLanguages(const QStringList& uiLanguages) {
  const QStringList supported = supportedLanguages();
  for (const QString& entry : uiLanguages) {
    const QString language = entry.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
    if (supported.contains(language)) return language;
  }
  return QStringLiteral("en");
}

bool installLanguage(const QString& languageCode) {
  if (QCoreApplication::instance() == nullptr) return false;
  const QString language =
      languageCode.isEmpty() ? languageForUiLanguages(QLocale::system().uiLanguages()) : languageCode;
  if (!supportedLanguages().contains(language)) return false;

  // Installed translation files come first, so that a package can carry newer ones; the
  // translations compiled into the binary are always there to fall back on.
  auto translator = std::make_unique<QTranslator>();
  const QString file = QStringLiteral("balalaika-tuner_%1.qm").arg(language);
  const QString installedDir = installedTranslationsDir();
  if ((installedDir.isEmpty() || !translator->load(file, installedDir)) &&
      !translator->load(QStringLiteral(":/i18n/") + file)) {
    return false;
  }
  if (!QCoreApplication::installTranslator(translator.get())) return false;

  Installed& state = installed();
  if (state.translator) QCoreApplication::removeTranslator(state.translator.get());
  state.translator = std::move(translator);
  state.language = language;
  return true;
}

QString installedLanguage() { return installed().language; }

}  // namespace balalaika::qt
