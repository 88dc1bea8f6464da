#pragma once
// Choice of the language of the application's texts. Main thread only; needs a
// QCoreApplication (or QGuiApplication) to exist.

#include <QString>
#include <QStringList>

namespace balalaika::qt {

// The languages the application has translations for: "en", "es", "ru".
QStringList supportedLanguages();

// The supported language for the system's list of preferred languages ("es-ES", "ru_RU", "de"):
// the first entry whose language part is supported; "en" when none is.
QString languageForUiLanguages(const QStringList& uiLanguages);

// Installs the translations of languageCode ("en", "es" or "ru"), replacing those installed
// before; with an empty code, of languageForUiLanguages(QLocale::system().uiLanguages()).
// Returns false, and leaves the installed language as it was, for an unknown code, for missing
// translations or when no application object exists.
bool installLanguage(const QString& languageCode = QString());

// The code of the installed language; empty while none is installed.
QString installedLanguage();

}  // namespace balalaika::qt
