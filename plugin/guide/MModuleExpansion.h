#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace host_api {
class ITestElement;
}

namespace plugin {

class CAutoRunSetup;
class IAutoTest;

// The module expansion: how often a test runs for the device's applied parts and with which
// leads, by its test code, the modules' classes, the nomenclature and the patient-lead
// configuration; and how many result rows a multi test will therefore produce.
namespace MModuleExpansion {

// Marker for RunWithAppliedParts: leave the treatment of the leads not under test empty.
inline constexpr const char* NoTreatment = "NOTHING";

// What the expansion reads of the driver's test options.
struct DriverOptions {
  int32_t appliedParts = 0;  // eap_open 0, eap_ground 1
  bool totalLeakage = false;
};

// Where the expansion takes the driver's options from: the open driver connection's test
// options, or the driver's defaults (open, no total leakage) while no connection exists.
using DriverOptionsSource = std::function<DriverOptions()>;
DriverOptionsSource& driverOptionsSlot();

// Replaces the options source for its own lifetime (tests).
class DriverOptionsOverride {
 public:
  explicit DriverOptionsOverride(DriverOptions options);
  ~DriverOptionsOverride();
  DriverOptionsOverride(const DriverOptionsOverride&) = delete;
  DriverOptionsOverride& operator=(const DriverOptionsOverride&) = delete;

 private:
  DriverOptionsSource m_previous;
};

// Runs `iat` once per lead selection its test code asks for (nothing for a selection that
// needs modules when none is selected).
void RunOverModules(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat);
// Sets the applied-part text "leads/otherLeads/treatment" and runs the test once. The
// treatment is "GND" when forced or when the driver grounds unused leads, "OPEN" otherwise,
// and empty for the marker NoTreatment.
void RunWithAppliedParts(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat,
                         const std::string& leads, const std::string& otherLeads,
                         bool forceGround = false, const std::string& marker = {});
// The leads of one class measured together (worst case) or one by one (all leads).
void RunClassTogether(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat,
                      int32_t nomenclature, int32_t classChoice);
// The modules of one class, each with its own leads together (or each lead alone).
void RunClassPerModule(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat, int32_t classId);
// Every lead of the CF (AAMI: I) modules alone.
void RunClassPerLead(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat,
                     int32_t nomenclature);
// Each lead of the sockets of module `moduleId` (-1: all selected modules) against the other
// sockets of that set; `leadCount` is the module's number of leads. With one module in the
// device each lead is measured once with the unused leads left alone; with several, each lead
// is measured with the unused leads as the driver says and then grounded.
void RunLeadAgainstOthers(CAutoRunSetup& cas, const std::shared_ptr<IAutoTest>& iat,
                          int32_t leadCount, int32_t moduleId);
// The number of result rows a multi test produces for the open test guide's modules.
int32_t CountTestConditions(const std::shared_ptr<host_api::ITestElement>& element);

}  // namespace MModuleExpansion
}  // namespace plugin
