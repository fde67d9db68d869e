#include "host/HostGuideToolbar.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "host/HostContentPane.h"
#include "platform/forms/AcceleratorKey.h"
#include "platform/forms/ConsoleRenderer.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListView.h"
#include "platform/forms/TabStrip.h"
#include "platform/forms/Toolbar.h"
#include "support/TestHost.h"

namespace {

using host_api::GuideToolbarState;
namespace Button = host_api::GuideButton;

struct GuideForm {
  testing_host::TestHost host;
  platform::forms::Form form{"FTestGuide"};
  std::shared_ptr<host_api::IGuideToolbar> toolbar =
      host_api::hostServices().classes.newGuideToolbar();
  std::vector<int32_t> clicks;

  GuideForm() {
    toolbar->Attach(form);
    toolbar->AddCustomButton(900, "Calibrate...");
    toolbar->onButtonClick([this](int32_t id) { clicks.push_back(id); });
  }
  platform::forms::Toolbar& bar() { return form.get<platform::forms::Toolbar>("xtbGuide"); }
};

TEST(HostGuideToolbar, EachStateLetsTheOperatorReachOnlyItsButtons) {
  GuideForm g;
  struct Expect {
    GuideToolbarState state;
    std::set<int32_t> clickable;
  };
  const std::vector<int32_t> all = {101, 102, 103, 201, 202, 203, 301, 302, 401, 900};
  const std::vector<Expect> expectations = {
      {GuideToolbarState::Idle, {101, 102, 103, 202, 203, 301, 302, 401, 900}},
      {GuideToolbarState::Initialising, {}},
      {GuideToolbarState::Running, {101, 201, 202}},
      {GuideToolbarState::Stopping, {}}};
  for (const auto& expect : expectations) {
    g.toolbar->State_let(expect.state);
    g.clicks.clear();
    for (int32_t id : all) g.bar().chooseItem(std::to_string(id));
    EXPECT_EQ(std::set<int32_t>(g.clicks.begin(), g.clicks.end()), expect.clickable)
        << static_cast<int>(expect.state);
  }
}

TEST(HostGuideToolbar, AButtonThePlugInDoesNotOfferIsNeitherShownNorClickable) {
  GuideForm g;
  g.toolbar->ButtonEnabled_let(Button::Skip, false);
  EXPECT_FALSE(g.bar().chooseItem("302"));
  EXPECT_FALSE(g.bar().findButton("302")->visible);
  g.toolbar->ButtonEnabled_let(Button::Skip, true);
  EXPECT_TRUE(g.bar().chooseItem("302"));
  EXPECT_EQ(g.clicks, std::vector<int32_t>{Button::Skip});
  EXPECT_THROW(g.toolbar->ButtonEnabled_let(555, true), platform::ComError);
}

TEST(HostGuideToolbar, EveryButtonHasItsOwnKeyOnTheConsoleAndTheKeysClickThem) {
  GuideForm g;
  std::set<char> keys;
  for (const auto& button : g.bar().buttons()) {
    const char key = platform::forms::acceleratorKey(button.caption);
    EXPECT_NE(key, 0) << button.caption;
    EXPECT_TRUE(keys.insert(key).second) << "shared key in " << button.caption;
  }
  EXPECT_TRUE(g.form.pressAccelerator('c'));  // the plug-in's button got a free letter
  EXPECT_TRUE(g.form.pressAccelerator('s'));
  EXPECT_FALSE(g.form.pressAccelerator('t'));  // stop: nothing runs
  g.toolbar->State_let(GuideToolbarState::Running);
  EXPECT_TRUE(g.form.pressAccelerator('t'));
  EXPECT_EQ(g.clicks, (std::vector<int32_t>{900, Button::Start, Button::Stop}));
}

TEST(HostGuideToolbar, TheConsoleShowsTheKeysAndTheStatusLine) {
  GuideForm g;
  g.toolbar->State_let(GuideToolbarState::Running);
  g.toolbar->StatusText_let("Performing safety test. Press 'Stop' to cancel.");
  platform::forms::ConsoleRenderer renderer(200);
  std::string screen;
  for (const auto& line : renderer.render(g.form)) screen += line + "\n";
  EXPECT_NE(screen.find("S[t]op"), std::string::npos) << screen;
  EXPECT_NE(screen.find("(Previous)"), std::string::npos) << screen;
  EXPECT_NE(screen.find("Press 'Stop' to cancel."), std::string::npos) << screen;
}

TEST(HostContentPane, OnlyTheShownPagesControlsAreVisibleAndShowingIsReported) {
  testing_host::TestHost host;
  platform::forms::Form form("FTestGuide");
  auto pane = host_api::hostServices().classes.newContentPane();
  pane->Attach(form);
  auto& results = form.add<platform::forms::ListView>("lvwResult");
  auto& modules = form.add<platform::forms::ListView>("lvwModules");
  std::vector<std::string> shown;
  pane->onPageEvent([&](const std::string& key, int32_t event) {
    if (event == host_api::ContentPaneEvent::PageShown) shown.push_back(key);
  });
  pane->AddPage("Results", "Results", "TG:RESULTS", {"lvwResult"});
  pane->AddPage("Modules", "Module Setup", "TG:MODSETUP", {"lvwModules"});
  EXPECT_TRUE(results.Visible_get());
  EXPECT_FALSE(modules.Visible_get());

  // The operator chooses the tab.
  EXPECT_TRUE(form.get<platform::forms::TabStrip>("tbsContent").chooseItem("Module Setup"));
  EXPECT_EQ(pane->SelectedPage_get(), "Modules");
  EXPECT_FALSE(results.Visible_get());
  EXPECT_TRUE(modules.Visible_get());
  EXPECT_EQ(shown, std::vector<std::string>{"Modules"});

  EXPECT_FALSE(pane->ShowPage("Nothing"));
  EXPECT_TRUE(pane->ShowPage("Results"));
  EXPECT_EQ(shown, (std::vector<std::string>{"Modules", "Results"}));
  EXPECT_THROW(pane->AddPage("Bad", "Bad", "", {"lvwMissing"}), platform::ComError);
}

}  // namespace
