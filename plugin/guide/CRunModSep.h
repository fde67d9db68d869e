#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "plugin/core/IRunner.h"

namespace plugin {

class CModuleEntry;

// Runs first the tests that involve no applied part, then, module by module, the applied-part
// tests, so the operator connects one module at a time (and is asked to when the group says so).
class CRunModSep : public IRunner {
 public:
  static constexpr const char* ClassName = "CRunModSep";

  void Run(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& cas) override;

 protected:
  // The pass over the tests that need no module.
  virtual void runFirstPass(const std::shared_ptr<IAutoTest>& iat);
  // The run of the tests that need the module now selected.
  virtual void runModule(const std::shared_ptr<IAutoTest>& iat);
  // Whether a leaf takes part in the current pass.
  virtual bool leafTakesPart(const IAutoTest& leaf, bool requiresModules) const;
  // The test codes that give a module a pass of its own.
  virtual const std::vector<int32_t>& moduleTestCodes() const;
  virtual const char* className() const { return ClassName; }

  void runElement(const std::shared_ptr<IAutoTest>& iat, bool requiresModules);

 private:
  void runChildren(const std::shared_ptr<IAutoTest>& group, bool requiresModules);
  void modulePass(const std::vector<std::shared_ptr<CModuleEntry>>& entries, int32_t testId,
                  bool everyModuleTest);
  bool moduleIsRelevant(const CModuleEntry& module, int32_t testId) const;
  void runForModule(const std::shared_ptr<CModuleEntry>& module);

  CAutoRunSetup* m_cas = nullptr;
  std::shared_ptr<IAutoTest> m_root;
  bool m_expandGroups = false;
  bool m_stopAtNew = false;
};

}  // namespace plugin
