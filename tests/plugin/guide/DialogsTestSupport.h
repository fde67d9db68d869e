#pragma once

#include <memory>
#include <string>
#include <vector>

#include "driver/TrxTypes.h"
#include "host_api/HostServices.h"
#include "host_api/IStandards.h"
#include "host_api/ITestInformation.h"
#include "platform/VirtualLoop.h"
#include "platform/forms/ScriptedScreen.h"
#include "plugin/results/CMeasurement.h"
#include "support/InertHostObjects.h"
#include "support/TestHost.h"

// The surroundings of a run's operator dialogs: virtual time, the host's real limit classes and
// a scripted operator who keeps a journal of every form shown.
namespace dialogs_test {

// Limit data holding the host's real standards; a reading fails the standards it exceeds.
class StandardsLimitData : public testing_host::InertLimitData {
 public:
  std::shared_ptr<host_api::IStandards> standards = host_api::hostServices().classes.newStandards();

  std::shared_ptr<host_api::IStandards> Standards_get() const override { return standards; }
  std::shared_ptr<host_api::IStandards> FindFailedStandards(
      const host_api::IMeasurement* measurement, const host_api::IStandards*) const override {
    auto failed = host_api::hostServices().classes.newStandards();
    for (int32_t p = 1; p <= standards->Count(); ++p) {
      auto standard = standards->Item(p);
      if (standard->Evaluate(measurement->LimitKey_get(), measurement->Value_get()) ==
          host_api::LimitStatus::Failed) {
        failed->Add(standard);
      }
    }
    return failed->Count() ? failed : nullptr;
  }

  // Adds the standard `standardId` of class "I" with one limit under `key`.
  void addStandard(int32_t standardId, const std::string& key, const std::string& unit,
                   const std::string& high, const std::string& low = "") {
    auto standard = host_api::hostServices().classes.newLimitStandard();
    standard->Initialize(standardId, "I", 0);
    auto limit = host_api::hostServices().classes.newLimit();
    limit->Initialize(key, unit, high, low);
    standard->AddLimit(limit);
    standards->Add(standard);
  }
};

// A test element with a name and limit data.
class NamedElement : public testing_host::InertTestElement {
 public:
  explicit NamedElement(const std::string& name)
      : info(host_api::hostServices().classes.newTestInformation()),
        limits(std::make_shared<StandardsLimitData>()) {
    info->Name_let(name);
  }

  std::shared_ptr<host_api::ITestInformation> info;
  std::shared_ptr<StandardsLimitData> limits;

  std::shared_ptr<host_api::ITestInformation> Info_get() const override { return info; }
  std::shared_ptr<host_api::ILimitData> Limits_get() override { return limits; }
};

struct DialogFixture {
  platform::VirtualLoop ev;
  platform::LoopOverride useLoop{ev};
  testing_host::TestHost host;
  platform::forms::ScriptedScreen scripted;
  platform::forms::ScreenOverride useScreen{scripted};

  // When `form` shows, the operator does `steps`: pairs of (milliseconds after the previous
  // step, control to click). No steps leaves the form alone.
  void answer(const std::string& form, const std::vector<std::pair<int, std::string>>& clicks) {
    platform::forms::ScriptRule rule{form, "", "", {}};
    for (const auto& [after, control] : clicks) {
      rule.steps.push_back(
          {std::chrono::milliseconds(after), platform::forms::ScriptAction::Click, control, ""});
    }
    scripted.addRule(rule);
  }

  // The texts of the one form shown, when it showed ("control: text").
  std::vector<std::string> shownTexts() const {
    return scripted.journal().empty() ? std::vector<std::string>{}
                                      : scripted.journal().front().texts;
  }
  bool shown(const std::string& text) const {
    for (const auto& t : shownTexts()) {
      if (t == text) return true;
    }
    return false;
  }
};

// A protective-earth reading as the single test makes it, judged against `element`'s limits.
inline std::shared_ptr<plugin::CMeasurement> resistanceReading(NamedElement& element,
                                                               platform::Variant value,
                                                               const std::string& flags = "") {
  auto reading = std::make_shared<plugin::CMeasurement>();
  const bool overload = value.toString() == "OL";
  reading->Init("::ST", "PE Resistance", vti::etcProtEarth, nullptr, overload ? "OL" : "", false);
  reading->Value_let(value);
  reading->Unit_let("Ohm");
  if (!flags.empty()) reading->Flags_let(flags);
  reading->Evaluate(element.limits.get(), element.limits->standards.get());
  return reading;
}

}  // namespace dialogs_test
