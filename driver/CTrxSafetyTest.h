#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "driver/TrxTypes.h"
#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace vti {

class CMicroSequence;
class CTrxTestOptions;

// Names one test of the instrument: test code and power configuration (always a valid pair, see
// Initialize), the lead under test, the applied-part text that goes into the test's commands and
// the lead nomenclature. Only code and configuration are stored; the rest is set for each run.
class CTrxSafetyTest : public platform::Object {
 public:
  ETrxNomenclature LEADSTD_get() const { return m_leadStd; }
  void LEADSTD_let(ETrxNomenclature value) { m_leadStd = value; }
  ETrxTestCode TestCode_get() const { return m_testCode; }
  ETrxPowerConfiguration PowerConfig_get() const { return m_powerConfig; }
  // The power phase of the configuration; 0 for configurations that power nothing through a
  // phase of their own (the mains-voltage and access configurations).
  ETrxPowerPhase Phase_get() const;
  int32_t LeadNo_get() const { return m_leadNo; }
  void LeadNo_let(int32_t value) { m_leadNo = value; }
  const std::string& AP_get() const { return m_ap; }
  void AP_let(const std::string& value) { m_ap = value; }
  // Unit and display format of the test's reading ("uA", "# ##0").
  std::string Unit_get() const;
  std::string ValueFormat_get() const;
  // Whether the test measures per applied-part lead.
  bool IsLeadTest_get() const;

  // Sets test code and power configuration after checking that the instrument can run that
  // test in that configuration; also sets the lead number the test starts with. Raises
  // errVTI_InvalidTest (message 906) otherwise and leaves the test as it was.
  void Initialize(ETrxTestCode etc, ETrxPowerConfiguration epc);

  // Reads and writes the "TRX440Test" element with the attributes "ID" and "PC". Failures go
  // through the host error service: 0x8004A3C2 for an element of another kind, 0x8004A3C3 when
  // the document makes no element, errVTI_InvalidTest for a stored pair that is not a test.
  void Load(const host_api::IXmlElement& ixeIn);
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlDocument& ixdDoc) const;

  // The instructions of this test, filled in for the given options.
  std::shared_ptr<CMicroSequence> CreateMicroSequence(const CTrxTestOptions& options) const;

  // The lead number a valid pair of test code and power configuration starts with; nothing
  // when the instrument has no such test.
  static std::optional<int32_t> LeadNoOf(ETrxTestCode etc, ETrxPowerConfiguration epc);

 private:
  void Validate(ETrxTestCode etc, ETrxPowerConfiguration epc);

  ETrxPowerConfiguration m_powerConfig = static_cast<ETrxPowerConfiguration>(0);
  ETrxTestCode m_testCode = static_cast<ETrxTestCode>(0);
  int32_t m_leadNo = 0;
  std::string m_ap;
  ETrxNomenclature m_leadStd = enomIEC;
};

}  // namespace vti
