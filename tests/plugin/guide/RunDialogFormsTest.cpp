#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "DialogsTestSupport.h"
#include "platform/forms/AnswersCheck.h"
#include "plugin/guide/FAbortOption.h"
#include "plugin/guide/FConnectLeads.h"
#include "plugin/guide/FHaltOnFail.h"
#include "plugin/guide/FMultiTest.h"
#include "plugin/guide/RunDialogForms.h"

namespace {

using Names = std::set<std::string>;

Names controlsOfKinds(const platform::forms::Form& form, const Names& kinds) {
  Names names;
  for (const auto& control : form.controls()) {
    if (kinds.count(control->kind())) names.insert(control->name());
  }
  return names;
}

struct PublishedDialogs : ::testing::Test, dialogs_test::DialogFixture {};

}  // namespace

TEST_F(PublishedDialogs, AreExactlyTheRunDialogsWithWhatAnAnswerCanActOnAndRead) {
  std::map<std::string, std::unique_ptr<platform::forms::Form>> real;
  real.emplace("FAbortOption", std::make_unique<plugin::FAbortOption>());
  real.emplace("FHaltOnFail", std::make_unique<plugin::FHaltOnFail>());
  real.emplace("FMultiTest", std::make_unique<plugin::FMultiTest>());
  real.emplace("FConnectLeads", std::make_unique<plugin::FConnectLeads>());

  // The test guide publishes itself in the same list; its own tests check its entry.
  auto published = plugin::RunDialogForms::Answerable();
  std::erase_if(published, [](const auto& form) { return form.name == "FTestGuide"; });
  ASSERT_EQ(published.size(), real.size());
  for (const auto& form : published) {
    SCOPED_TRACE(form.name);
    auto it = real.find(form.name);
    ASSERT_NE(it, real.end()) << "published a form the plug-in does not have";
    EXPECT_EQ(it->second->name(), form.name);
    EXPECT_EQ(Names(form.controls.begin(), form.controls.end()),
              controlsOfKinds(*it->second, {"Button", "OptionButton", "CheckBox"}));
    EXPECT_EQ(Names(form.texts.begin(), form.texts.end()), controlsOfKinds(*it->second, {"Label"}));
  }
}

TEST_F(PublishedDialogs, AnAnswersFileNamingAControlTheDialogLacksIsRefused) {
  platform::forms::AnswersCheck check(plugin::RunDialogForms::Answerable());
  using platform::forms::ScriptAction;
  EXPECT_FALSE(check.problem(
      {"FHaltOnFail", "lblMessage", "Protective", {{{}, ScriptAction::Click, "optRepeat", ""}}}));
  auto wrong = check.problem({"FMultiTest", "", "", {{{}, ScriptAction::Click, "optRepeat", ""}}});
  ASSERT_TRUE(wrong);
  EXPECT_NE(wrong->find("cmdRepeat"), std::string::npos);
}
