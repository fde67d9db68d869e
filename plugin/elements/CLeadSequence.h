#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "plugin/elements/CLeadReadings.h"

namespace plugin {

class CAutoRunSetup;
class CModuleEntry;
class CModuleSetup;

// Where a multi test measuring lead by lead stands between its RunTest calls: the autorun
// calls it once per lead, and each call measures the next lead position of the current module
// (every sub-position of it), then moves on; after the last position of the last module the
// sequence starts again. The work list is the run's modules in class order: class B first (for
// the tests that measure B lead by lead), then BF, then CF.
class CLeadSequence {
 public:
  // What a call changes, so that a repeated reading can measure the same lead again.
  struct State {
    int32_t position = 1;
    std::vector<std::shared_ptr<CModuleEntry>> tested;
    bool inProgress = false;
    int32_t moduleCursor = 1;
    int32_t groupCounter = 0;
    int32_t groupId = 0;
  };

  // Back to the first lead of the first module, with no module tested yet.
  void Restart() { m_state = State{}; }
  const State& State_get() const { return m_state; }
  void State_let(const State& state) { m_state = state; }

  // The modules of `selected` that `testId` measures lead by lead, in class order.
  static std::vector<std::shared_ptr<CModuleEntry>> WorkList(const CModuleSetup* selected,
                                                             int32_t testId);

  // The readings of the next lead position; nothing when no module of `work` is measured lead
  // by lead in this call (the caller then takes one reading for all modules).
  std::optional<CLeadReadings::Records> Step(const std::vector<std::shared_ptr<CModuleEntry>>& work,
                                             const CLeadReadings& readings, CAutoRunSetup& setup,
                                             int32_t testId);

  // Whether the last Step started or continued a module.
  bool StartedModule() const { return m_started; }

 private:
  bool starts(const std::shared_ptr<CModuleEntry>& module, int32_t index, CAutoRunSetup& setup,
              int32_t testId);
  CLeadReadings::Lead leadOf(const CModuleEntry& module) const;
  bool continues(const CModuleEntry& module) const;
  CLeadReadings::Records measure(const CModuleEntry& module, int32_t positions,
                                 const CLeadReadings& readings);
  CLeadReadings::Records measureInGroup(const CModuleEntry& module, int32_t positions,
                                        const CLeadReadings& readings);
  void advance(int32_t positions);
  void completeWhenDone(size_t workCount);

  State m_state;
  bool m_started = false;
};

}  // namespace plugin
