#pragma once

#include <memory>
#include <string>
#include <vector>

#include "plugin/core/IAutoTest.h"
#include "plugin/elements/CTestLeaf.h"

namespace plugin {

// The test element of one safety measurement that involves no patient-lead modules: mains
// voltage, protective earth, insulation, enclosure and earth leakage, point-to-point tests,
// equipment current, and the ECG simulation (test id 1900). Its one reading is judged under
// the single-test key "::ST".
class CTestSingle : public CTestLeaf, public ISingleTest {
 public:
  static constexpr const char* ClassName = "CTestSingle";

  // A new element with a core of the host's and a safety test that names no test yet.
  static std::shared_ptr<CTestSingle> Create();

  // A copy with the same core content, flags, unit, result kind and instrument test, and limit
  // data of its own that it may edit; no result.
  std::shared_ptr<host_api::ITestElement> Clone() const override;
  // One reading of the element's instrument test, with the operator's decisions on it (see
  // CSingleRun); returns the driver's test state. A stop ends the run with errStopRun.
  int32_t RunTest(CAutoRunSetup& setup) override;
  // The single key with the element's name.
  std::vector<std::string> GetMeasurementList() const override;

  // Whether a repeated protective-earth reading joins the earlier ones instead of replacing
  // them; the operator decides in the repeat dialog of a run.
  bool KeepResults_get() const { return m_keepResults; }
  void KeepResults_let(bool value) { m_keepResults = value; }

 protected:
  const char* className() const override { return ClassName; }
  // A catalogue element's limits are the installation's; only its clones are edited.
  bool editableLimitsAtInitialize() const override { return false; }

 private:
  CTestSingle();

  bool m_keepResults = false;
};

}  // namespace plugin
