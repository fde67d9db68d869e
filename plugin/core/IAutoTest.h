#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/IConfigData.h"

namespace vti {
class CTrxSafetyTest;
}

namespace plugin {

class CAutoRunSetup;

// The plug-in's own interface of every test element, beside the host's ITestElement: what the
// autorun and the limit rules need to know of an element, and how it runs once.
class IAutoTest {
 public:
  virtual ~IAutoTest();

  virtual bool IsGroup_get() const = 0;
  virtual int32_t ChildCount_get() const = 0;
  // The driver's safety test the element runs; null for a group.
  virtual std::shared_ptr<vti::CTrxSafetyTest> SafetyTest_get() const = 0;
  virtual bool RequireModules_get() const = 0;
  virtual void RequireModules_let(bool value) = 0;
  virtual bool HasDCLimits_get() const = 0;
  virtual void HasDCLimits_let(bool value) = 0;
  virtual bool HasTotalLimits_get() const = 0;
  virtual void HasTotalLimits_let(bool value) = 0;
  virtual bool RequireLeadUsage_get() const = 0;
  virtual void RequireLeadUsage_let(bool value) = 0;
  virtual std::string Unit_get() const = 0;
  virtual void Unit_let(const std::string& unit) = 0;
  // Runs the element once with the autorun's current leads; returns the driver's test state.
  virtual int32_t RunTest(CAutoRunSetup& setup) = 0;
  // 1 clears the result and marks it "no verdict", 2 removes it, anything else clears it.
  virtual void ResetResult(int32_t option) = 0;
  virtual void Initialize(int32_t testId, int32_t id,
                          const std::shared_ptr<host_api::IConfigData>& configuration) = 0;
  virtual void ResetLimits() = 0;
};

// Implemented by the single test element only: the limit rules give it one key of its own
// whatever its flags say, and no class keys.
class ISingleTest {
 public:
  virtual ~ISingleTest();
};

}  // namespace plugin
