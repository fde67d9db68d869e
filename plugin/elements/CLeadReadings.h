#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vti {
class CTrxTestResult;
}

namespace plugin {

class CAutoRunSetup;
class CMeasurement;
class CModuleEntry;
class CModuleSetup;
class CTestMulti;

// The measurement records one driver reading of a multi test gives: one per module measured
// together, or, per lead, a heading row for the module (a placeholder that always passes) and
// the reading of the lead. Records are keyed as MLeadKeys describes and judged against the
// element's limits for the run's standards.
class CLeadReadings {
 public:
  using Records = std::vector<std::shared_ptr<CMeasurement>>;

  CLeadReadings(const CTestMulti& element, const vti::CTrxTestResult& result, CAutoRunSetup& setup);

  // Which lead a reading per lead is of: lead socket `leadNo` at lead position `position` of
  // module `moduleIndex`, under `subPosition` ("@1") and `prefix` (the module's or group's id).
  struct Lead {
    int32_t leadNo = 0;
    int32_t position = 0;
    int32_t moduleIndex = 1;
    bool first = true;
    std::string subPosition;
    std::string prefix;
  };

  // With `modulesUsed`, the heading (at position 1) and the reading of `lead`'s module in
  // `modules` (the run's selected modules when null). Without it, one reading for every
  // selected module on the run's lead or of the class measured together. Empty when the driver
  // did not perform the test; an aborted test stops the run.
  Records Collect(const Lead& lead, bool modulesUsed,
                  const std::shared_ptr<CModuleSetup>& modules = nullptr) const;

  // Adds the heading (at position 1) and the reading of `lead` on `entry` to `records`; a
  // whole group with `lead.first` set is read through its member at the position.
  void CollectModule(Records& records, const CModuleEntry& entry, const Lead& lead) const;

  // One record for `module`, or null when a module filter of the element or its groups leaves
  // the module out. `classOverride` replaces the module's class in the key ("_" for a heading).
  std::shared_ptr<CMeasurement> Create(const CModuleEntry& module, bool placeholder,
                                       int32_t position, const std::string& description,
                                       const std::string& prefix, const std::string& classOverride,
                                       const std::string& subPosition) const;

 private:
  void collectTogether(Records& records) const;
  bool passesFilters(const CModuleEntry& module) const;
  std::string description(const CModuleEntry& module, int32_t position,
                          const std::string& given) const;
  std::string oneAgainstOthers(const CModuleEntry& module, int32_t position,
                               const std::string& given) const;
  void add(Records& records, std::shared_ptr<CMeasurement> record) const;

  const CTestMulti& m_element;
  const vti::CTrxTestResult& m_result;
  CAutoRunSetup& m_setup;
};

}  // namespace plugin
