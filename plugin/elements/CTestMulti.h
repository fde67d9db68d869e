#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugin/elements/CLeadReadings.h"
#include "plugin/elements/CLeadSequence.h"
#include "plugin/elements/CTestLeaf.h"

namespace plugin {

class CConfigTestGroup;
class CModuleSetup;

// The test element of measurements on applied parts (patient leakage, patient auxiliary
// current, mains on applied parts, ...), taken per patient-lead module and, when configured,
// per lead. A run measures one step per RunTest call, so the element keeps where in the
// sequence of modules and leads it stands between calls (CLeadSequence).
class CTestMulti : public CTestLeaf {
 public:
  static constexpr const char* ClassName = "CTestMulti";

  // A new element with a core of the host's, a safety test that names no test yet and a fresh
  // sequence.
  static std::shared_ptr<CTestMulti> Create();

  // A copy with the same core content, flags, unit, result kind and instrument test, and limit
  // data of its own; its sequence starts fresh and it has no result.
  std::shared_ptr<host_api::ITestElement> Clone() const override;
  // Its readings depend on the modules of the run, so it offers none beforehand.
  std::vector<std::string> GetMeasurementList() const override { return {}; }

  // One reading of the instrument test for the autorun's current leads: per lead (the next lead
  // of the sequence) when the governing configuration asks for all leads, else one reading for
  // the modules on the current lead. Returns the driver's test state; a stop ends the run with
  // errStopRun.
  int32_t RunTest(CAutoRunSetup& setup) override;

  // Set by others to restart the sequence at the next RunTest.
  bool ResetTheVariables_get() const { return m_resetTheVariables; }
  void ResetTheVariables_let(bool value) { m_resetTheVariables = value; }

  // Where the sequence stands (for the guide and for tests).
  const CLeadSequence::State& Sequence_get() const { return m_sequence.State_get(); }

 protected:
  const char* className() const override { return ClassName; }
  bool editableLimitsAtInitialize() const override { return true; }
  // The owning test keeps the guide's module setup with its result; a restart the guide asked
  // for reaches the sequence.
  void afterGuide(ITestGuide& guide) override;

 private:
  CTestMulti();

  std::shared_ptr<CConfigTestGroup> governingConfiguration();
  void restartWhenAsked();
  bool perLeadMode(const CConfigTestGroup* configuration) const;
  int32_t runOnce(CAutoRunSetup& setup, bool perLead, int32_t& state);
  CLeadReadings::Records readingsOf(const CLeadReadings& readings, CAutoRunSetup& setup,
                                    bool perLead, bool& sequenced);
  void keep(const CLeadReadings::Records& records, bool sequenced, CAutoRunSetup& setup);
  void judgeCompletion();

  CLeadSequence m_sequence;
  bool m_resetTheVariables = false;
};

}  // namespace plugin
