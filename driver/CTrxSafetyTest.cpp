#include "driver/CTrxSafetyTest.h"

#include <charconv>
#include <initializer_list>

#include "driver/CMicroSequence.h"
#include "driver/MError.h"
#include "driver/MResources.h"
#include "host_api/HostServices.h"
#include "platform/ComError.h"

namespace vti {

namespace {

constexpr const char* kClassName = "CTrxSafetyTest";
constexpr const char* kElementName = "TRX440Test";
constexpr int32_t kFirstValueFormatId = 8100;
constexpr int32_t kFirstUnitId = 8200;

// Power configurations as a set of bits, bit n standing for configuration n.
using ConfigSet = uint32_t;
constexpr ConfigSet configs(std::initializer_list<ETrxPowerConfiguration> list) {
  ConfigSet set = 0;
  for (auto pc : list) set |= ConfigSet{1} << pc;
  return set;
}
constexpr ConfigSet kAllConfigs =
    configs({epcOff, epcON, epcNC, epcOE, epcONRM, epcNCRM, epcOERM, epcMainsL1L2, epcMainsL1Gnd,
             epcMainsL2Gnd, epcAccessNC, epcAccessON, epcAccessOE, epcAccessNCRM, epcAccessONRM,
             epcAccessOERM});

// Which power configurations each test accepts, and the lead it starts with.
struct TestRule {
  ConfigSet accepted;
  int32_t leadNo;
};

TestRule ruleOf(ETrxTestCode etc) {
  switch (etc) {
    case etcMains:
      return {configs({epcMainsL1L2, epcMainsL1Gnd, epcMainsL2Gnd}), TRX_LEAD_NONE};
    case etcProtEarth:
    case etcIRMains:
    case etcIRAppl:
    case etcIRMap:
    case etcIRM2N:
    case etcIRAppl2N:
    case etcPPVolt:
    case etcPPRes:
    case etcPPLeak:
      return {configs({epcOff}), TRX_LEAD_NONE};
    case etcEarthLeak:
      return {kAllConfigs & ~configs({epcOff, epcOE, epcOERM}), TRX_LEAD_NONE};
    case etcEnclLeak:
    case etcPatAux:
      return {kAllConfigs & ~configs({epcOff}), TRX_LEAD_FIRST};
    case etcPatLeak:
      return {kAllConfigs & ~configs({epcOff}), TRX_LEAD_ALL};
    case etcMAP:
    case etcDAPLeak:
      return {configs({epcNC, epcNCRM}), TRX_LEAD_ALL};
    case etcEquipCurr:
    case etcECGTest:
      return {configs({epcNC}), TRX_LEAD_NONE};
    case etcAltEquip:
    case etcDiffLeak:
    case etcAltAppl:
      return {configs({epcOff, epcNC, epcOE, epcNCRM, epcOERM}), TRX_LEAD_ALL};
    case etcDELeak:
      return {configs({epcNC, epcOE, epcNCRM, epcOERM}), TRX_LEAD_ALL};
  }
  return {0, TRX_LEAD_NONE};
}

// A stored attribute as a whole number; anything else (absent, empty, "3x", "2.5") is a type
// mismatch: a test must never be guessed from a damaged file.
int32_t readInteger(const host_api::IXmlElement& element, const std::string& name) {
  std::optional<std::string> text = element.getAttribute(name);
  int32_t value = 0;
  if (text) {
    const char* first = text->data();
    const char* last = first + text->size();
    while (first != last && *first == ' ') ++first;
    while (last != first && last[-1] == ' ') --last;
    auto [end, ec] = std::from_chars(first, last, value);
    if (first != last && ec == std::errc() && end == last) return value;
  }
  throw platform::ComError(
      platform::RuntimeError::TypeMismatch, kClassName,
      MError::TranslateText("The attribute \"" + name + "\" of the " + kElementName +
                            " element is missing or not a whole number."));
}

// Hands an error of Load or Save over to the host's error service, which raises it in the
// caller. Must be called from inside the handler of `error`, so that the service keeps the
// error's own description. Without a host the error goes on unchanged.
[[noreturn]] void handOver(const platform::ComError& error, const platform::Parameters& testArgs) {
  auto& services = host_api::hostServicesSlot();
  if (!services || !services->errors) throw error;
  auto& errors = *services->errors;
  const int32_t number = error.number();
  if (number == kErrNotTrxTestElement || number == kErrCannotCreateElement) {
    errors.Raise(MError::kPluginId, number, kClassName, host_api::ErrorKind::PassedOn);
  } else if (number == errVTI_InvalidTest) {
    errors.Raise(MError::kPluginId, number, kClassName, host_api::ErrorKind::PassedOn, testArgs);
  } else {
    errors.PassOn(error, kClassName);
  }
  // An error service breaking its promise to raise must not let the operation look successful.
  throw error;
}

}  // namespace

ETrxPowerPhase CTrxSafetyTest::Phase_get() const {
  switch (m_powerConfig) {
    case epcOff:
      return eppPowerOff;
    case epcNC:
    case epcOE:
      return eppNormal;
    case epcON:
      return eppOpenNeutral;
    case epcONRM:
      return eppOpenNeutralRev;
    case epcNCRM:
    case epcOERM:
      return eppReversed;
    default:
      return static_cast<ETrxPowerPhase>(0);
  }
}

std::string CTrxSafetyTest::Unit_get() const {
  return MResources::LoadResString(kFirstUnitId + m_testCode);
}

std::string CTrxSafetyTest::ValueFormat_get() const {
  return MResources::LoadResString(kFirstValueFormatId + m_testCode);
}

bool CTrxSafetyTest::IsLeadTest_get() const {
  return m_testCode == etcEnclLeak || m_testCode == etcPatLeak || m_testCode == etcPatAux ||
         m_testCode == etcMAP;
}

std::optional<int32_t> CTrxSafetyTest::LeadNoOf(ETrxTestCode etc, ETrxPowerConfiguration epc) {
  if (epc < epcOff || epc > epcAccessOERM) return std::nullopt;
  TestRule rule = ruleOf(etc);
  if ((rule.accepted & (ConfigSet{1} << epc)) == 0) return std::nullopt;
  return rule.leadNo;
}

void CTrxSafetyTest::Validate(ETrxTestCode etc, ETrxPowerConfiguration epc) {
  std::optional<int32_t> leadNo = LeadNoOf(etc, epc);
  if (!leadNo) {
    MError::RaiseVtiError(errVTI_InvalidTest, kClassName, {}, {etc, epc, m_leadNo});
  }
  m_testCode = etc;
  m_powerConfig = epc;
  m_leadNo = *leadNo;
}

void CTrxSafetyTest::Initialize(ETrxTestCode etc, ETrxPowerConfiguration epc) {
  Validate(etc, epc);
}

void CTrxSafetyTest::Load(const host_api::IXmlElement& ixeIn) {
  int32_t code = 0;
  int32_t config = 0;
  try {
    if (ixeIn.tagName() != kElementName) {
      MError::RaiseVtiError(
          kErrNotTrxTestElement, kClassName,
          "The element \"%%1\" is not a " + std::string(kElementName) + " element.",
          {ixeIn.tagName()});
    }
    code = readInteger(ixeIn, "ID");
    config = readInteger(ixeIn, "PC");
    Validate(static_cast<ETrxTestCode>(code), static_cast<ETrxPowerConfiguration>(config));
  } catch (const platform::ComError& error) {
    handOver(error, {code, config, m_leadNo});
  }
}

std::shared_ptr<host_api::IXmlElement> CTrxSafetyTest::Save(host_api::IXmlDocument& ixdDoc) const {
  try {
    std::shared_ptr<host_api::IXmlElement> element = ixdDoc.createElement(kElementName);
    if (!element) {
      MError::RaiseVtiError(kErrCannotCreateElement, kClassName,
                            "The " + std::string(kElementName) + " element could not be created.");
    }
    element->setAttribute("ID", std::to_string(m_testCode));
    element->setAttribute("PC", std::to_string(m_powerConfig));
    return element;
  } catch (const platform::ComError& error) {
    handOver(error, {});
  }
}

std::shared_ptr<CMicroSequence> CTrxSafetyTest::CreateMicroSequence(
    const CTrxTestOptions& options) const {
  auto sequence = std::make_shared<CMicroSequence>();
  sequence->Initialize(m_testCode, m_powerConfig, m_ap, options);
  return sequence;
}

}  // namespace vti
