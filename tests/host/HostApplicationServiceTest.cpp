#include <gtest/gtest.h>

#include <sstream>

#include "host/HostApplicationService.h"
#include "host/HostLocations.h"
#include "host/HostRegistryKey.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "support/TestFiles.h"

using host::HostApplicationService;
using platform::Parameters;
using platform::Variant;

namespace {
const char* const Countdown = "20030::The test will automatically continue in %%1 seconds.";

class HostApplicationServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir / "lang");
    writeFile(dir / "lang" / "xx.txt",
              "# test language\n"
              "[TRX440]\n"
              "20030 = In %%1 Sekunden geht es weiter.\n"
              "20351=Bestanden\n"
              "20400=Erste Zeile\\nZweite Zeile\n"
              "20210=\" (F)\"  \n"
              "20211 = \"Normaler Test. \"\n"
              "20212=\"\"zitiert\"\"\n"
              "T1708=Kommentar\n"
              "not a line of the catalogue\n"
              "abc=no id\n"
              "[OTHER]\n"
              "20352=Fremd\n");
  }
  TempDir dir;
};
}  // namespace

TEST_F(HostApplicationServiceTest, EnglishIsTheTextAfterTheIdWithItsPlaceholdersFilled) {
  HostApplicationService english(dir.path(), "en");
  EXPECT_EQ(english.Translate("TRX440", Countdown, Parameters{Variant(int32_t(10))}),
            "The test will automatically continue in 10 seconds.");
  EXPECT_EQ(english.Translate("TRX440", "20351::Pass"), "Pass");
  EXPECT_EQ(english.Translate("TRX440", "no id at all"), "no id at all");
  // A placeholder without its parameter stays visible rather than vanishing.
  EXPECT_EQ(english.Translate("TRX440", "1::%%1 of %%2", Parameters{Variant("one")}), "one of %%2");
}

TEST_F(HostApplicationServiceTest, ACatalogueTranslatesKnownIdsOfItsPlugInOnly) {
  HostApplicationService other(dir.path(), "xx");
  EXPECT_EQ(other.language(), "xx");
  EXPECT_EQ(other.Translate("TRX440", Countdown, Parameters{Variant(int32_t(10))}),
            "In 10 Sekunden geht es weiter.");
  EXPECT_EQ(other.Translate("TRX440", "20400::Two lines"), "Erste Zeile\nZweite Zeile");
  EXPECT_EQ(other.Translate("TRX440", "29999::Unknown id"), "Unknown id");
  EXPECT_EQ(other.Translate("TRX440", "20352::Fail"), "Fail");
  EXPECT_EQ(other.Translate("OTHER", "20352::Fail"), "Fremd");
}

TEST_F(HostApplicationServiceTest, AQuotedTranslationKeepsItsEdgeBlanks) {
  HostApplicationService other(dir.path(), "xx");
  EXPECT_EQ(other.Translate("TRX440", "20211::Normal Test. ") + other.Translate("TRX440", "1::x") +
                other.Translate("TRX440", "20210:: (F)"),
            "Normaler Test. x (F)");
  EXPECT_EQ(other.Translate("TRX440", "20212::\"quoted\""), "\"zitiert\"");
  // Untranslated, the English text keeps its blanks as well.
  EXPECT_EQ(HostApplicationService(dir.path(), "en").Translate("TRX440", "20210:: (F)"), " (F)");
}

TEST_F(HostApplicationServiceTest, AnIdWithALetterTranslatesLikeAnyOther) {
  HostApplicationService other(dir.path(), "xx");
  EXPECT_EQ(other.Translate("TRX440", "T1708::Comment"), "Kommentar");
  EXPECT_EQ(other.Translate("TRX440", "T1709::Remark"), "Remark");
}

TEST_F(HostApplicationServiceTest, HoldsTheTestElementsOfTheOpenTemplate) {
  HostApplicationService service(dir.path(), "en");
  EXPECT_TRUE(service.TestElements_get().empty());
  auto first = std::make_shared<platform::Object>();
  auto second = std::make_shared<platform::Object>();
  service.setOpenElements({first, second});
  EXPECT_EQ(service.TestElements_get(), (host_api::TestElements{first, second}));
  service.setOpenElements({});
  EXPECT_TRUE(service.TestElements_get().empty());
}

TEST_F(HostApplicationServiceTest, LanguageNamesFallBackToTheirLanguageAndNeverLeaveTheFolder) {
  EXPECT_EQ(HostApplicationService(dir.path(), "xx_YY.UTF-8").language(), "xx");
  EXPECT_EQ(HostApplicationService(dir.path(), "fr").language(), "en");
  writeFile(dir / "secret.txt", "[TRX440]\n20351=leaked\n");
  HostApplicationService escaping(dir.path(), "../secret");
  EXPECT_EQ(escaping.language(), "en");
  EXPECT_EQ(escaping.Translate("TRX440", "20351::Pass"), "Pass");
}

TEST_F(HostApplicationServiceTest, TheLanguageComesFromTheEnvironmentOrTheSettings) {
  auto registry = dir / "registry.ini";
  host::HostRegistryKey key(registry);
  {
    ScopedEnv noLanguage("ORVEL_LANG", "");
    EXPECT_EQ(HostApplicationService::configuredLanguage(key), "en");
    ASSERT_TRUE(key.Open(host_api::RegistryRoot::LocalMachine,
                         "Software\\Tavik\\orvel\\Executive\\System", true));
    key.WriteText("Language", "xx");
    EXPECT_EQ(HostApplicationService::configuredLanguage(key), "xx");
  }
  ScopedEnv language("ORVEL_LANG", "de");
  EXPECT_EQ(HostApplicationService::configuredLanguage(key), "de");
}

TEST_F(HostApplicationServiceTest, AnUnreadableSettingsFileLeavesTheHostInEnglish) {
  writeFile(dir / "registry.ini", "garbage\n");
  host::HostRegistryKey key(dir / "registry.ini");
  ScopedEnv noLanguage("ORVEL_LANG", "");
  EXPECT_EQ(HostApplicationService::configuredLanguage(key), "en");
}

TEST(ShippedCatalogues, EveryLineOfTheGermanCatalogueIsUsed) {
  ScopedEnv builtIn("ORVEL_RESOURCES", "");
  auto file = host::HostLocations::resourceDir() / "lang" / "de.txt";
  std::istringstream lines(readFile(file));
  size_t entries = 0;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line[0] != '#' && line[0] != '[') ++entries;
  }
  EXPECT_GT(entries, 0u);
  EXPECT_EQ(host::MessageCatalog::load(file).size(), entries);
  HostApplicationService german(host::HostLocations::resourceDir(), "de_DE.UTF-8");
  EXPECT_EQ(german.Translate("TRX440", Countdown, Parameters{Variant(int32_t(10))}),
            "Der Test wird in 10 Sekunden automatisch fortgesetzt.");
}

TEST_F(HostApplicationServiceTest, TranslatesEveryCaptionOfAFormWithItsPlugInsCatalogue) {
  HostApplicationService other(dir.path(), "xx");
  platform::forms::Form form("FTest");
  form.Caption_let("20351::Pass");
  auto& label = form.add<platform::forms::Label>("lblCount");
  label.Caption_let(Countdown);
  auto& button = form.add<platform::forms::Button>("cmdFail");
  button.Caption_let("20352::Fail");
  other.TranslateCaptions("TRX440", form);
  EXPECT_EQ(form.Caption_get(), "Bestanden");
  // Placeholders stay for the code that fills them later.
  EXPECT_EQ(label.Caption_get(), "In %%1 Sekunden geht es weiter.");
  EXPECT_EQ(button.Caption_get(), "Fail");  // the catalogue has it for another plug-in only
}
