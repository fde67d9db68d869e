#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver/CTrxSafetyTest.h"
#include "host_api/HostServices.h"
#include "host_api/ITestInformation.h"
#include "platform/components/ComponentRegistry.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/elements/CTestGroup.h"
#include "plugin/elements/CTestMulti.h"
#include "plugin/elements/CTestSingle.h"
#include "plugin/limits/CLimitData.h"
#include "plugin/modules/IPlugInReference.h"
#include "plugin/results/CResultData.h"
#include "support/InstalledHost.h"
#include "support/StandInPlugInReference.h"

extern "C" void orvelRegisterClasses(platform::components::ClassRegistrar& registrar);

namespace elements_test {

using StandInPlugIn = StandInPlugInReference;

// The installed host with the plug-in's classes registered by ProgID (in a registry of the
// test's own) and a stand-in plug-in entry.
class ElementsTest : public InstalledHost {
 protected:
  static constexpr int32_t IEC62353 = 1;
  static constexpr int32_t IEC60601 = 2;

  void SetUp() override {
    InstalledHost::SetUp();
    m_registry = platform::components::components();  // keeps the host's controls
    orvelRegisterClasses(m_registry);
    m_componentsOverride.emplace(m_registry);
    m_entryOverride.emplace(entry);
  }
  void TearDown() override {
    m_entryOverride.reset();
    m_componentsOverride.reset();
    InstalledHost::TearDown();
  }

  // A single test as the catalogue makes one, with a name and an instrument test.
  static std::shared_ptr<plugin::CTestSingle> single(
      int32_t testId, const std::shared_ptr<host_api::IConfigData>& config = nullptr,
      vti::ETrxTestCode code = vti::etcProtEarth, vti::ETrxPowerConfiguration power = vti::epcOff) {
    auto element = plugin::CTestSingle::Create();
    element->Initialize(testId, testId, config);
    element->Info_get()->Name_let("Single " + std::to_string(testId));
    element->SafetyTest_get()->Initialize(code, power);
    element->Unit_let("Ohm");
    return element;
  }
  static std::shared_ptr<plugin::CTestMulti> multi(
      int32_t testId, const std::shared_ptr<host_api::IConfigData>& config = nullptr) {
    auto element = plugin::CTestMulti::Create();
    element->Initialize(testId, testId, config);
    element->Info_get()->Name_let("Multi " + std::to_string(testId));
    element->SafetyTest_get()->Initialize(vti::etcPatLeak, vti::epcNC);
    element->RequireModules_let(true);
    element->HasTotalLimits_let(true);
    element->Unit_let("uA");
    return element;
  }
  static std::shared_ptr<plugin::CTestGroup> group(int32_t testId) {
    auto element = plugin::CTestGroup::Create();
    element->Initialize(testId, testId, std::make_shared<plugin::CConfigTestGroup>());
    element->Info_get()->Name_let("Group " + std::to_string(testId));
    return element;
  }

  // Result data with `readings` passed readings of the single-test key.
  static std::shared_ptr<plugin::CResultData> resultWith(int readings) {
    auto result = std::make_shared<plugin::CResultData>();
    for (int i = 0; i < readings; ++i) {
      auto m = std::make_shared<plugin::CMeasurement>();
      m->Init("::ST" + std::to_string(i), "Reading " + std::to_string(i), vti::etcProtEarth,
              nullptr, {}, false);
      m->Value_let(platform::Variant(0.05f * static_cast<float>(i + 1)));
      m->Status_let(host_api::ResultStatus::Passed);
      result->AddMeasurement(m);
    }
    return result;
  }

  static int32_t standardsOf(host_api::ITestElement& element) {
    auto limits = std::dynamic_pointer_cast<plugin::CLimitData>(element.Limits_get());
    return limits && limits->Standards_get() ? limits->Standards_get()->Count() : 0;
  }

  std::shared_ptr<StandInPlugIn> entry = std::make_shared<StandInPlugIn>();

 private:
  platform::components::ComponentRegistry m_registry;
  std::optional<platform::components::ComponentsOverride> m_componentsOverride;
  std::optional<plugin::PlugInReferenceOverride> m_entryOverride;
};

}  // namespace elements_test
