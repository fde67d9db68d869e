#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "driver/FStopOnPC.h"
#include "driver/FWaitOnPC.h"
#include "driver/PromptForms.h"
#include "platform/VirtualLoop.h"
#include "support/TestHost.h"

namespace {

using Names = std::set<std::string>;

Names controlsOfKind(const platform::forms::Form& form, const std::string& kind) {
  Names names;
  for (const auto& control : form.controls()) {
    if (control->kind() == kind) names.insert(control->name());
  }
  return names;
}

TEST(PublishedPromptForms, AreExactlyTheDriversPromptsWithTheirButtonsAndTexts) {
  platform::VirtualLoop ev;
  platform::LoopOverride useLoop{ev};
  testing_host::TestHost host;
  std::map<std::string, std::unique_ptr<platform::forms::Form>> real;
  real.emplace("FStopOnPC", std::make_unique<vti::FStopOnPC>());
  real.emplace("FWaitOnPC", std::make_unique<vti::FWaitOnPC>());

  const auto published = vti::PromptForms::Answerable();
  ASSERT_EQ(published.size(), real.size());
  for (const auto& form : published) {
    SCOPED_TRACE(form.name);
    auto it = real.find(form.name);
    ASSERT_NE(it, real.end()) << "published a form the driver does not have";
    EXPECT_EQ(it->second->name(), form.name);
    // Every button an answer may click (the no-resistance prompt's Skip too, hidden until then)
    // and every text a rule may look at; pictures and the timer are no answers.
    EXPECT_EQ(Names(form.controls.begin(), form.controls.end()),
              controlsOfKind(*it->second, "Button"));
    EXPECT_EQ(Names(form.texts.begin(), form.texts.end()), controlsOfKind(*it->second, "Label"));
  }
}

}  // namespace
