#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "host_api/IMeasurement.h"
#include "host_api/ITestElement.h"
#include "plugin/core/CPlugInSetup.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/modules/IPlugInReference.h"
#include "support/InertHostObjects.h"

// Stand-ins for what the limit rules and the limit data ask of their surroundings: a test
// element (host and plug-in faces), the plug-in entry with its catalogue, and a measurement.
namespace limits_test {

// A test element as the limit rules see it: test id, parent, configuration and the flags of
// its IAutoTest face. Everything else does nothing.
class FakeTestElement : public testing_host::InertTestElement, public plugin::IAutoTest {
 public:
  explicit FakeTestElement(int32_t testId = 0) : testId(testId) {}

  int32_t testId;
  std::shared_ptr<host_api::ITestElement> parent;
  std::shared_ptr<host_api::IConfigData> configuration;
  std::string unit = "uA";
  bool requireModules = false;
  bool hasTotalLimits = false;
  bool failTestId = false;  // TestID_get throws, as an element half torn down may

  int32_t TestID_get() const override;
  std::shared_ptr<host_api::ITestElement> Parent_get() const override { return parent; }
  void Parent_set(const std::shared_ptr<host_api::ITestElement>& p) override { parent = p; }
  std::shared_ptr<host_api::IConfigData> Configuration_get() const override {
    return configuration;
  }

  bool IsGroup_get() const override { return false; }
  int32_t ChildCount_get() const override { return 0; }
  std::shared_ptr<vti::CTrxSafetyTest> SafetyTest_get() const override { return nullptr; }
  bool RequireModules_get() const override { return requireModules; }
  void RequireModules_let(bool value) override { requireModules = value; }
  bool HasDCLimits_get() const override { return false; }
  void HasDCLimits_let(bool) override {}
  bool HasTotalLimits_get() const override { return hasTotalLimits; }
  void HasTotalLimits_let(bool value) override { hasTotalLimits = value; }
  bool RequireLeadUsage_get() const override { return false; }
  void RequireLeadUsage_let(bool) override {}
  std::string Unit_get() const override { return unit; }
  void Unit_let(const std::string& value) override { unit = value; }
  int32_t RunTest(plugin::CAutoRunSetup&) override { return 0; }
  void ResetResult(int32_t) override {}
  void Initialize(int32_t, int32_t, const std::shared_ptr<host_api::IConfigData>&) override {}
  void ResetLimits() override {}
};

// The single test element.
class FakeSingleTest : public FakeTestElement, public plugin::ISingleTest {
 public:
  using FakeTestElement::FakeTestElement;
};

// A multi test over applied parts (it needs modules).
std::shared_ptr<FakeTestElement> multiTest(int32_t testId, bool totals = false);

// The plug-in entry with its settings and the limit standards its catalogue offers.
class FakePlugInEntry : public plugin::IPlugInReference {
 public:
  FakePlugInEntry() : setup("") {}

  plugin::CPlugInSetup setup;
  // (test id, standard id, class) -> standard; a copy is handed out.
  std::map<std::tuple<int32_t, int32_t, std::string>, std::shared_ptr<host_api::ILimitStandard>>
      catalogue;

  plugin::CPlugInSetup& SetupObject() override { return setup; }
  std::shared_ptr<host_api::ILimitStandard> LimitStandardOf(int32_t testId, int32_t standardId,
                                                            const std::string& className) override;
  bool UpdateNomenClature_get() const override { return false; }
  std::shared_ptr<plugin::CModuleSetup> CurrentModuleSetup_get() const override { return nullptr; }
  void CurrentModuleSetup_set(const std::shared_ptr<plugin::CModuleSetup>&) override {}
  std::shared_ptr<plugin::CModuleSetup> DUTModuleSetup_get() const override { return nullptr; }
  void DUTModuleSetup_set(const std::shared_ptr<plugin::CModuleSetup>&) override {}
};

// A reading with its limit key and value.
class FakeMeasurement : public host_api::IMeasurement {
 public:
  FakeMeasurement(std::string limitKey, platform::Variant value)
      : limitKey(std::move(limitKey)), value(std::move(value)) {}

  std::string limitKey;
  platform::Variant value;

  std::string Description_get() const override { return ""; }
  std::string Key_get() const override { return limitKey; }
  std::string LimitKey_get() const override { return limitKey; }
  int32_t Status_get() const override { return host_api::ResultStatus::None; }
  std::string Unit_get() const override { return "uA"; }
  platform::Variant Value_get() const override { return value; }
  platform::Variant PresetValue_get() const override { return {}; }
  int32_t ValueType_get() const override { return host_api::ValueKind::Numeric; }
  std::string ValueFormat_get() const override { return ""; }
  std::string Flags_get() const override { return ""; }
  std::string ToolTipText_get() const override { return ""; }
  void Load(const host_api::IXmlElement&, host_api::ILoadLog*) override {}
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement&) const override {
    return nullptr;
  }
};

}  // namespace limits_test
