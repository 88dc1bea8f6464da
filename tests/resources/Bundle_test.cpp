#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

#include "platform/qt/Language.h"
#include "platform/qt/QtBundle.h"
#include "translations/TextIds.h"

namespace balalaika::testing {
namespace {

using qt::installLanguage;
using qt::installedLanguage;
using resources::kRatingTable;

// Translators can only be installed while an application object exists: one for the whole run.
class BundleInLanguage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "resources_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
  }
  qt::QtBundle bundle;
};

TEST_F(BundleInLanguage, GivenEachLanguageThenEveryKeyHasAnEntryWithAtMostOnePlaceholder) {
  for (const QString& language : qt::supportedLanguages()) {
    SCOPED_TRACE(language.toStdString());
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/balalaika-tuner_%1.qm").arg(language)));
    ASSERT_TRUE(installLanguage(language));
    for (const resources::TextId& text : resources::textIds()) {
      const QString translated = translator.translate("", text.id);
      EXPECT_FALSE(translated.isEmpty()) << text.id;
      EXPECT_LE(translated.count(QStringLiteral("%@")), 1) << text.id;
      // Through the bundle, in the key's own table, the other languages never read as the key.
      EXPECT_TRUE(language == QStringLiteral("en") || bundle.localizedString(text.key, text.table) != text.key)
          << text.id;
    }
  }
}

// Unknown keys read as the key and each table keeps its own keys; an unknown language code is
// refused and the installed language stays.
TEST_F(BundleInLanguage, GivenAnUnknownKeyOrLanguageCodeThenTheKeyReadsAsItselfAndTheLanguageStays) {
  ASSERT_TRUE(installLanguage(QStringLiteral("ru")));
  for (const char* code : {"de", "ES", "../en", "e"}) EXPECT_FALSE(installLanguage(QString::fromLatin1(code))) << code;
  EXPECT_EQ(installedLanguage(), "ru");
  for (const auto& [key, table] :
       {std::pair{"NoSuchKey", kRatingTable}, {"TunerAboutMsg2", kRatingTable}, {"Remind me later", ""}}) {
    EXPECT_EQ(bundle.localizedString(key, table), key) << key << " in " << table;
  }
}

}  // namespace
}  // namespace balalaika::testing
