#include <gtest/gtest.h>

#include "host/HostCallback.h"
#include "host/HostClassesInstaller.h"
#include "host/HostLimit.h"
#include "host/HostLimitStandard.h"
#include "host/HostLimitView.h"
#include "host/HostStandards.h"
#include "platform/components/ComponentRegistry.h"
#include "platform/forms/ListView.h"
#include "support/ExpectError.h"
#include "support/InertHostObjects.h"

namespace {

// Limit data holding one standard, IEC 62353 CF, with "::CF_AC" at most 10 and "::ST" at least 2.
class SampleLimitData : public testing_host::InertLimitData {
 public:
  SampleLimitData() {
    auto standard = std::make_shared<host::HostLimitStandard>();
    standard->Initialize(4, "CF", 1);
    for (auto [key, high, low] : {std::tuple{"::CF_AC", "10", ""}, {"::ST", "", "2"}}) {
      auto limit = std::make_shared<host::HostLimit>();
      limit->Initialize(key, "", high, low);
      standard->AddLimit(limit);
    }
    m_standards->Add(standard);
  }
  bool HasDialog_get() const override { return true; }
  std::shared_ptr<host_api::IStandards> Standards_get() const override { return m_standards; }

 private:
  std::shared_ptr<host::HostStandards> m_standards = std::make_shared<host::HostStandards>();
};

}  // namespace

TEST(HostLimitViewTest, TheRegisteredControlIsALimitEditorTooAsADialogAsksForIt) {
  platform::components::ComponentRegistry registry;
  platform::components::ComponentsOverride scoped(registry);
  host::registerHostControls(registry);
  auto object = platform::components::components().create("orvelview.xlimitview");
  auto control = std::dynamic_pointer_cast<host_api::ICustomControl>(object);
  ASSERT_TRUE(control);
  auto editor = std::dynamic_pointer_cast<host_api::ILimitEditor>(control);
  ASSERT_TRUE(editor);
  ASSERT_NE(control->hWnd_get(), nullptr);
}

TEST(HostLimitViewTest, RowsShowTheLimitsOfEveryStandardOfTheLimitData) {
  host::HostLimitView view;
  std::string unit = "µA";
  view.AddRow("::CF_AC", "Patient leakage AC", unit, "");
  unit = "MΩ";
  view.AddRow("::ST", "Insulation", unit, "note");
  view.AddRow("::BF", "Not in the standard", unit, "");
  auto data = std::make_shared<SampleLimitData>();
  view.SetLimitData(platform::Variant(std::shared_ptr<platform::Object>(data)), 9);
  EXPECT_EQ(view.limitData(), data);
  EXPECT_EQ(view.flags(), 9);
  auto& list = view.hWnd_get()->get<platform::forms::ListView>("lvwLimits");
  ASSERT_EQ(list.items().size(), 3u);
  EXPECT_EQ(list.items()[0].text, "Patient leakage AC");
  EXPECT_EQ(list.items()[0].subItems, (std::vector<std::string>{"µA", "", "IEC 62353 CF: <= 10"}));
  EXPECT_EQ(list.items()[1].subItems.back(), "IEC 62353 CF: >= 2");
  EXPECT_EQ(list.items()[2].subItems.back(), "");

  view.ClearRows();
  EXPECT_TRUE(view.rows().empty());
  EXPECT_TRUE(list.items().empty());
}

TEST(HostLimitViewTest, SomethingOtherThanLimitDataIsRefusedAndEmptyClearsIt) {
  host::HostLimitView view;
  auto data = std::make_shared<SampleLimitData>();
  view.Initialize(platform::Variant(std::shared_ptr<platform::Object>(data)));
  auto error = expectComError([&] {
    view.SetLimitData(platform::Variant(std::shared_ptr<platform::Object>(
                          std::make_shared<host::HostCallback>())),
                      0);
  });
  EXPECT_EQ(error.number(), 13);
  EXPECT_EQ(view.limitData(), data);
  view.SetLimitData(platform::Variant(), 0);
  EXPECT_EQ(view.limitData(), nullptr);
}

TEST(HostLimitViewTest, TheCallbackRecordsAndForwardsEveryNotification) {
  std::vector<std::string> forwarded;
  host::HostCallback callback(
      [&](const std::string& name, const platform::Parameters&) { forwarded.push_back(name); });
  callback.Notify("Change", {platform::Variant(int32_t{3})});
  callback.Notify("Change", {});
  callback.Notify("Close", {});
  EXPECT_EQ(callback.count("Change"), 2u);
  EXPECT_EQ(callback.notifications()[0].args[0], platform::Variant(int32_t{3}));
  EXPECT_EQ(forwarded, (std::vector<std::string>{"Change", "Change", "Close"}));
}
