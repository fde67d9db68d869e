#pragma once

#include <memory>
#include <string>

#include "ResultsFakes.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CCfgTestOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/elements/ElementsTestSupport.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/results/CMeasurement.h"
#include "plugin/results/CResultData.h"

namespace results_test {

// Real elements and results on the installed host, and the readings a run gives them.
class ResultViewsTest : public elements_test::ElementsTest {
 protected:
  struct Reading {
    Reading(std::string k, platform::Variant v, int32_t s = host_api::ResultStatus::Passed,
            std::string f = {}, std::string u = "Ohm")
        : key(std::move(k)),
          value(std::move(v)),
          status(s),
          flags(std::move(f)),
          unit(std::move(u)) {}
    std::string key;
    platform::Variant value;
    int32_t status = host_api::ResultStatus::Passed;
    std::string flags;
    std::string unit = "Ohm";
  };

  // A reading of the instrument test `code`: resistance "0.000", leakage "##0.0", ECG pass/fail.
  static std::shared_ptr<plugin::CMeasurement> reading(const Reading& r,
                                                       vti::ETrxTestCode code = vti::etcProtEarth) {
    auto m = std::make_shared<plugin::CMeasurement>();
    m->Init(r.key, "Reading " + r.key, code, nullptr, {}, false);
    m->Value_let(r.value);
    m->Unit_let(r.unit);
    if (!r.flags.empty()) m->Flags_let(r.flags);
    m->Status_let(r.status);
    return m;
  }

  // Gives `element` a fresh result holding `readings`, with the status they roll up to.
  static std::shared_ptr<plugin::CResultData> giveResult(
      plugin::CTestElement& element, const std::vector<Reading>& readings,
      vti::ETrxTestCode code = vti::etcProtEarth) {
    element.ResetResult(0);
    auto result = std::dynamic_pointer_cast<plugin::CResultData>(element.Result_get());
    for (const auto& r : readings) result->AddMeasurement(reading(r, code));
    return result;
  }

  // A module named `name` on `leads` sockets from `firstLead`, of class `classId`.
  static std::shared_ptr<plugin::CModule> module(const std::string& name, int32_t leads,
                                                 int32_t firstLead, int32_t classId) {
    auto m = std::make_shared<plugin::CModule>();
    m->ModuleInfo_get()->Add("Name", name, true);
    m->Leads_let(leads);
    m->FirstLead_let(firstLead);
    m->ClassID_let(classId);
    return m;
  }

  static std::shared_ptr<plugin::CConfigTestGroup> configOf(const plugin::CTestGroup& group) {
    return std::dynamic_pointer_cast<plugin::CConfigTestGroup>(group.Configuration_get());
  }

  // Gives the element's limit data the standard `id`, `cls` holding exactly `rows`.
  static void addStandard(plugin::CTestElement& element, int32_t id, const std::string& cls,
                          const std::vector<LimitRow>& rows) {
    auto standard = element.LimitData()->CreateStandard(id, cls);
    ASSERT_TRUE(standard);
    standard->Limits_get()->Clear();
    auto wanted = makeStandard(id, cls, rows)->Limits_get();
    for (int32_t i = 1; i <= wanted->Count(); ++i) standard->AddLimit(wanted->Item(i));
  }
};

}  // namespace results_test
