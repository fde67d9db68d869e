#pragma once

#include <cstdint>
#include <memory>

#include "plugin/core/MErrorConvention.h"
#include "plugin/elements/CTestElement.h"

namespace vti {
class CTrxSafetyTest;
}

namespace plugin {

class CResultData;
class ITestGuide;

// What the single and the multi test share beside the common element: the driver's safety test
// they run, the result kind handed to their result data, their result and limit resets, and
// which groups they may be placed in. Neither holds children.
class CTestLeaf : public CTestElement {
 public:
  ~CTestLeaf() override;

  // ITestElement
  // The host's manual run of the element: the test guide (opened here when none is) shows it
  // and runs it as often as the operator asks; the guide's answer becomes the run's status.
  void Perform(host_api::ITestRun& testRun) override;
  // Any element of another plug-in, and the whole safety test sequence (test id 100), may
  // hold it; a group of this plug-in only when both ids are in the same hundred (1010 belongs
  // to 1000, 1100 does not).
  bool QuerySetParent(const host_api::ITestElement& parent) const override;

  // IAutoTest
  bool IsGroup_get() const override { return false; }
  int32_t ChildCount_get() const override { return 0; }
  std::shared_ptr<vti::CTrxSafetyTest> SafetyTest_get() const override { return m_safetyTest; }
  void ResetResult(int32_t option) override;
  void ResetLimits() override;

  // The element's result data, created when there is none.
  std::shared_ptr<CResultData> RunResult();

  // 1 at creation; 0 marks new result data with a detail flag of 0.
  int32_t ResultKind_get() const { return m_resultKind; }
  void ResultKind_let(int32_t kind) { m_resultKind = kind; }

 protected:
  explicit CTestLeaf(std::shared_ptr<host_api::IElementCore> core);

  std::shared_ptr<host_api::IResultData> newResult() const override;
  // Applies the guide's final answer: the result goes (skipped), is kept (aborted after
  // readings), or is marked "no verdict" (not performed), and the run hears of it.
  void settle(ITestGuide& guide, host_api::ITestRun& testRun, int32_t status);
  // The unit, and the instrument test by its driver numbers.
  void describeProperties(CPropertyTable& table) override;
  void saveDefinition(host_api::IXmlElement& autoTest,
                      host_api::IXmlElement& stored) const override;
  void loadDefinition(const host_api::IXmlElement* autoTest,
                      const host_api::IXmlElement& stored) override;

  // A new `Element` that takes over this element as a clone does: the common element, the
  // result kind and the instrument test.
  template <typename Element>
  std::shared_ptr<host_api::ITestElement> cloneAs() const {
    return MErrorConvention::Guarded(source(), {}, [&] {
      auto clone = Element::Create();
      clone->copyFrom(*this);
      clone->copyLeafFrom(*this);
      return std::shared_ptr<host_api::ITestElement>(clone);
    });
  }
  void copyLeafFrom(const CTestLeaf& other);
  // What an element does after the guide answered and before a guide opened for it closes.
  virtual void afterGuide(ITestGuide&) {}

 private:
  std::shared_ptr<vti::CTrxSafetyTest> m_safetyTest;
  int32_t m_resultKind = 1;
};

}  // namespace plugin
