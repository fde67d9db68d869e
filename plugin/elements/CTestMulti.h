#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugin/elements/CTestLeaf.h"

namespace plugin {

class CModuleSetup;

// The test element of measurements on applied parts (patient leakage, patient auxiliary
// current, mains on applied parts, ...), taken per patient-lead module and, when configured,
// per lead. A run measures one step per RunTest call, so the element keeps where in the
// sequence of modules and leads it stands between calls.
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

  // Set by others to restart the sequence at the next RunTest.
  bool ResetTheVariables_get() const { return m_resetTheVariables; }
  void ResetTheVariables_let(bool value) { m_resetTheVariables = value; }

 protected:
  const char* className() const override { return ClassName; }
  bool editableLimitsAtInitialize() const override { return true; }

 private:
  CTestMulti();
  // Back to the first lead of the first module, with no module tested yet.
  void restartSequence();

  // The next lead position to measure within the current module (from 1).
  int32_t m_position = 1;
  // The modules already started in this sequence, keyed by module id.
  std::shared_ptr<CModuleSetup> m_testedModules;
  // Whether a module's positions are not all measured yet.
  bool m_inProgress = false;
  // 1 + the number of tested modules.
  int32_t m_moduleCursor = 1;
  // The running number of the current module within its module group, and that group's id.
  int32_t m_groupCounter = 0;
  int32_t m_groupId = 0;
  bool m_resetTheVariables = false;
};

}  // namespace plugin
