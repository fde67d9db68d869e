#include "plugin/core/XPlugInPreferences.h"

#include "host/HostCallback.h"

#include "platform/components/ComponentRegistry.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/TabStrip.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/UpDown.h"
#include "plugin/core/FElementSetup.h"
#include "support/ExpectError.h"
#include "support/InstalledHost.h"
#include "support/TestHost.h"

using namespace plugin;
using namespace platform::forms;

extern "C" void orvelRegisterClasses(platform::components::ClassRegistrar& registrar);

namespace {

class XPlugInPreferencesTest : public InstalledHost {
 protected:
  void SetUp() override {
    InstalledHost::SetUp();
    setup->Nomenclature_let(1);
    setup->PolarityDelay_let(4);
  }

  // A page showing `setup`, reporting to `callback`.
  std::shared_ptr<XPlugInPreferences> initializedPage() {
    auto page = std::make_shared<XPlugInPreferences>();
    page->CallBack_set(callback);
    page->Initialize(platform::Variant(std::static_pointer_cast<platform::Object>(setup)));
    return page;
  }
  static OptionButton& option(XPlugInPreferences& page, const char* name) {
    return page.hWnd_get()->get<OptionButton>(name);
  }
  static TextBox& delayField(XPlugInPreferences& page) {
    return page.hWnd_get()->get<TextBox>("txtDelay");
  }
  static UpDown& delayArrows(XPlugInPreferences& page) {
    return page.hWnd_get()->get<UpDown>("updDelay");
  }

  std::shared_ptr<CPlugInSetup> setup = std::make_shared<CPlugInSetup>("/opt/orvel/plugins");
  std::shared_ptr<host::HostCallback> callback = std::make_shared<host::HostCallback>();

  // The events the host was told of; every one must come without arguments.
  std::vector<std::string> events() const {
    std::vector<std::string> names;
    for (const auto& notification : callback->notifications()) {
      EXPECT_TRUE(notification.args.empty()) << notification.eventName;
      names.push_back(notification.eventName);
    }
    return names;
  }
};

}  // namespace

TEST_F(XPlugInPreferencesTest, EveryCaptionIsTranslatedForThePlugInWhenThePageIsMade) {
  auto translator = std::make_shared<testing_host::FakeApplicationService>();
  host_api::hostServices().application = translator;
  XPlugInPreferences page;
  ASSERT_FALSE(translator->calls.empty());
  for (const auto& call : translator->calls) EXPECT_EQ(call.pluginId, "TRX440") << call.text;
  Form& form = *page.hWnd_get();
  EXPECT_EQ(form.get<OptionButton>("optIEC").Caption_get(), "IEC Terms");
  EXPECT_EQ(form.get<OptionButton>("optAAMI").Caption_get(), "AAMI Terms");
  EXPECT_EQ(form.control("lblDelay").Caption_get(), "Polarity Switching Delay");
  EXPECT_EQ(form.control("lblDelayUnit").Caption_get(), "s");
  EXPECT_EQ(form.get<TabStrip>("tbsPreferences").tabs().at(0).caption, "General Preferences");
}

TEST_F(XPlugInPreferencesTest, InitializeShowsTheSettingsWithoutReportingAChange) {
  auto page = initializedPage();
  EXPECT_TRUE(option(*page, "optAAMI").Value_get());
  EXPECT_FALSE(option(*page, "optIEC").Value_get());
  EXPECT_EQ(delayField(*page).Text_get(), "4");
  EXPECT_EQ(delayArrows(*page).Value_get(), 4);
  EXPECT_TRUE(events().empty());

  setup->Nomenclature_let(0);
  setup->PolarityDelay_let(1);
  page->Refresh();
  EXPECT_TRUE(option(*page, "optIEC").Value_get());
  EXPECT_FALSE(option(*page, "optAAMI").Value_get());
  EXPECT_EQ(delayField(*page).Text_get(), "1");
  EXPECT_TRUE(events().empty());
}

TEST_F(XPlugInPreferencesTest, ChoosingANomenclatureStoresItAndReportsEvenWhenAlreadyChosen) {
  auto page = initializedPage();
  EXPECT_TRUE(option(*page, "optAAMI").click());
  EXPECT_EQ(setup->Nomenclature_get(), 1);
  EXPECT_EQ(events(), std::vector<std::string>{"Change"});

  EXPECT_TRUE(option(*page, "optIEC").click());
  EXPECT_EQ(setup->Nomenclature_get(), 0);
  EXPECT_FALSE(option(*page, "optAAMI").Value_get());
  EXPECT_EQ(events().size(), 2u);

  // Without a callback the edit is still stored.
  page->CallBack_set(nullptr);
  EXPECT_TRUE(option(*page, "optAAMI").click());
  EXPECT_EQ(setup->Nomenclature_get(), 1);
  EXPECT_EQ(events().size(), 2u);
}

TEST_F(XPlugInPreferencesTest, TheDelayFieldStoresTheNearestWholeSecondWithin1To5) {
  auto page = initializedPage();
  TextBox& field = delayField(*page);
  for (auto [typed, stored] : {std::pair{"2.6", 3},
                               {"2.5", 2},
                               {"3.5", 4},
                               {"9", 5},
                               {"0", 1},
                               {"-3", 1},
                               {"99999999999", 5}}) {
    field.Text_let(typed);
    EXPECT_EQ(setup->PolarityDelay_get(), stored) << typed;
    EXPECT_EQ(field.Text_get(), std::to_string(stored)) << typed;
    EXPECT_EQ(delayArrows(*page).Value_get(), stored) << typed;
  }
  EXPECT_EQ(events().size(), 7u);
}

TEST_F(XPlugInPreferencesTest, AnEmptiedDelayFieldKeepsTheDelayUntilADigitIsTyped) {
  auto page = initializedPage();
  TextBox& field = delayField(*page);
  EXPECT_TRUE(field.typeKey(kKeyBackspace));
  EXPECT_EQ(field.Text_get(), "");
  EXPECT_EQ(setup->PolarityDelay_get(), 4);
  EXPECT_TRUE(events().empty());
  EXPECT_TRUE(field.typeKey('2'));
  EXPECT_EQ(setup->PolarityDelay_get(), 2);
  EXPECT_FALSE(field.typeKey('3'));  // one digit only
  EXPECT_EQ(events().size(), 1u);
}

TEST_F(XPlugInPreferencesTest, TheArrowsStepTheDelayAndStopAt1And5) {
  setup->PolarityDelay_let(5);
  auto page = initializedPage();
  UpDown& arrows = delayArrows(*page);
  EXPECT_FALSE(arrows.up());
  EXPECT_TRUE(events().empty());
  EXPECT_TRUE(arrows.down());
  EXPECT_EQ(setup->PolarityDelay_get(), 4);
  EXPECT_EQ(delayField(*page).Text_get(), "4");
  EXPECT_EQ(events().size(), 1u);
  while (arrows.down()) {
  }
  EXPECT_EQ(setup->PolarityDelay_get(), 1);
  EXPECT_EQ(events().size(), 4u);
}

TEST_F(XPlugInPreferencesTest, ALockedPageTakesNoEdits) {
  auto page = initializedPage();
  page->Locked_let(true);
  EXPECT_FALSE(option(*page, "optIEC").click());
  EXPECT_FALSE(delayArrows(*page).down());
  EXPECT_EQ(setup->Nomenclature_get(), 1);
  EXPECT_EQ(setup->PolarityDelay_get(), 4);
  page->Locked_let(false);
  EXPECT_TRUE(option(*page, "optIEC").click());
}

TEST_F(XPlugInPreferencesTest, ThePageEditsOnlyThePlugInSettings) {
  XPlugInPreferences page;
  auto error = expectComError(
      [&] { page.Initialize(platform::Variant(std::make_shared<XPlugInPreferences>())); });
  EXPECT_EQ(error.number(), platform::RuntimeError::TypeMismatch);
  EXPECT_EQ(page.Setup_get(), nullptr);
}

TEST_F(XPlugInPreferencesTest, TheSettingsDialogHoldsThePageForTheSettings) {
  platform::components::ComponentRegistry registry;
  platform::components::ComponentsOverride useOwn(registry);
  orvelRegisterClasses(registry);

  auto dialog = std::dynamic_pointer_cast<FElementSetup>(setup->CreateDialog());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->Flags_get(), CPlugInSetup::PreferencesDialogFlags);
  auto page = std::dynamic_pointer_cast<XPlugInPreferences>(dialog->Control());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->Setup_get(), setup);
  EXPECT_TRUE(page->hWnd_get()->get<OptionButton>("optAAMI").Value_get());
  EXPECT_TRUE(reported().empty());
}

TEST_F(XPlugInPreferencesTest, ASettingsDialogThatCannotBeMadeIsNullAndShown) {
  platform::components::ComponentRegistry empty;
  platform::components::ComponentsOverride useOwn(empty);
  EXPECT_EQ(setup->CreateDialog(), nullptr);
  ASSERT_EQ(reported().size(), 1u);
  EXPECT_EQ(reported()[0].number(), platform::RuntimeError::ClassNotRegistered);

  // Settings not owned by a shared_ptr cannot be handed to a dialog.
  CPlugInSetup unowned("/opt/orvel/plugins");
  orvelRegisterClasses(empty);
  EXPECT_EQ(unowned.CreateDialog(), nullptr);
  EXPECT_EQ(reported().size(), 2u);
}
