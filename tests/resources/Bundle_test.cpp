#include <gtest/gtest.h>

#include <QLocale>
#include <QTranslator>

#include "QtApp.h"
#include "platform/qt/Language.h"
#include "platform/qt/QtBundle.h"
#include "translations/TextIds.h"

namespace balalaika::testing {
namespace {

using qt::installLanguage;
using qt::installedLanguage;
using qt::languageForUiLanguages;
using resources::kRatingTable;

const std::string kMessageKey =
    "If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. "
    "Thanks for your support!";

class BundleInLanguage : public ::testing::Test {
 protected:
  void SetUp() override { qtApp(); }
  qt::QtBundle bundle;
};

TEST_F(BundleInLanguage, EachLanguageHasAnEntryForEveryKeyWithAtMostOnePlaceholder) {
  for (const QString& language : qt::supportedLanguages()) {
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/balalaika-tuner_%1.qm").arg(language))) << language.toStdString();
    for (const resources::TextId& text : resources::textIds()) {
      const QString translated = translator.translate("", text.id);
      EXPECT_FALSE(translated.isEmpty()) << language.toStdString() << " lacks " << text.id;
      EXPECT_LE(translated.count(QStringLiteral("%@")), 1) << language.toStdString() << " " << text.id;
    }
  }
}

TEST_F(BundleInLanguage, GivenEachLanguageThenTitlesAndScreenTextsAreItsOwn) {
  ASSERT_TRUE(installLanguage(QStringLiteral("es")));
  EXPECT_EQ(bundle.localizedString("TuningFreeTitle"), "Balalaika prima");
  EXPECT_EQ(bundle.localizedString("TuningFreeTitle5"), "Balalaika contrabajo");
  EXPECT_EQ(bundle.localizedString("TunerAboutCongratsMessage"), "¡Enhorabuena por elegir la balalaika!");

  ASSERT_TRUE(installLanguage(QStringLiteral("ru")));
  EXPECT_EQ(bundle.localizedString("TuningFreeTitle"), "Балалайка прима");
  EXPECT_EQ(bundle.localizedString("TuningFreeTitle3"), "Балалайка альт");
  EXPECT_EQ(bundle.localizedString("Rate Title", kRatingTable), "Оценить %@");

  ASSERT_TRUE(installLanguage(QStringLiteral("en")));
  EXPECT_EQ(installedLanguage(), "en");
  EXPECT_EQ(bundle.localizedString("TuningFreeTitle2"), "Secunda balalaika");
  EXPECT_EQ(bundle.localizedString("TuningFreeTitle4"), "Bass balalaika");
  EXPECT_EQ(bundle.localizedString("Rate Title", kRatingTable), "Rate %@");
}

TEST_F(BundleInLanguage, GivenSpanishThenEveryKeyReadsOtherThanItself) {
  ASSERT_TRUE(installLanguage(QStringLiteral("es")));
  for (const resources::TextId& text : resources::textIds()) {
    EXPECT_NE(bundle.localizedString(text.key, text.table), text.key) << text.id;
  }
}

TEST_F(BundleInLanguage, AKeyWithoutAnEntryReadsAsTheKeyInEveryTable) {
  ASSERT_TRUE(installLanguage(QStringLiteral("ru")));
  EXPECT_EQ(bundle.localizedString("NoSuchKey"), "NoSuchKey");
  EXPECT_EQ(bundle.localizedString("NoSuchKey", kRatingTable), "NoSuchKey");
  // A table that does not exist has no entries, even for keys the default table knows.
  EXPECT_EQ(bundle.localizedString("TuningFreeTitle", "OtherTable"), "TuningFreeTitle");
}

TEST_F(BundleInLanguage, RatingTableKeysAreSeparateFromTheDefaultTable) {
  ASSERT_TRUE(installLanguage(QStringLiteral("es")));
  EXPECT_EQ(bundle.localizedString("Remind me later", kRatingTable), "Recordármelo más tarde");
  EXPECT_EQ(bundle.localizedString("No, Thanks", kRatingTable), "No, gracias");
  EXPECT_EQ(bundle.localizedString("Rate %@", kRatingTable), "Valorar %@");
  EXPECT_EQ(bundle.localizedString(kMessageKey, kRatingTable).find("Si te gusta usar %@"), 0u);
  // The same keys in the default table have no entry.
  EXPECT_EQ(bundle.localizedString("Remind me later"), "Remind me later");
  EXPECT_EQ(bundle.localizedString("Rate Title"), "Rate Title");
  // And a default-table key asked in the rating table has none either.
  EXPECT_EQ(bundle.localizedString("TunerAboutMsg2", kRatingTable), "TunerAboutMsg2");
}

TEST_F(BundleInLanguage, AnUnknownLanguageIsRefusedAndKeepsTheInstalledOne) {
  ASSERT_TRUE(installLanguage(QStringLiteral("ru")));
  EXPECT_FALSE(installLanguage(QStringLiteral("de")));
  EXPECT_FALSE(installLanguage(QStringLiteral("ES")));
  EXPECT_FALSE(installLanguage(QStringLiteral("../en")));
  EXPECT_EQ(installedLanguage(), "ru");
  EXPECT_EQ(bundle.localizedString("No, Thanks", kRatingTable), "Нет, спасибо");
}

TEST_F(BundleInLanguage, WithoutACodeTheSystemLanguageOrEnglishIsInstalled) {
  ASSERT_TRUE(installLanguage());
  EXPECT_EQ(installedLanguage(), languageForUiLanguages(QLocale::system().uiLanguages()));
}

TEST(LanguageChoice, TakesTheFirstSupportedSystemLanguageAndFallsBackToEnglish) {
  EXPECT_EQ(languageForUiLanguages({"de-DE", "es-MX", "ru"}), "es");
  EXPECT_EQ(languageForUiLanguages({"ru_RU"}), "ru");
  EXPECT_EQ(languageForUiLanguages({"EN-gb", "ru"}), "en");
  EXPECT_EQ(languageForUiLanguages({"de", "fr-FR", "C"}), "en");
  EXPECT_EQ(languageForUiLanguages({}), "en");
}

TEST(BundleIdentity, VersionIsTheBuildsAndNamesAreFixed) {
  const qt::QtBundle bundle;
  EXPECT_EQ(bundle.version(), BT_VERSION);
  EXPECT_FALSE(bundle.version().empty());
  EXPECT_EQ(bundle.displayName(), "Balalaika Tuner");
  EXPECT_EQ(bundle.name(), "balalaika-tuner");
}

}  // namespace
}  // namespace balalaika::testing
