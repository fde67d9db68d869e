#include "plugin/instrument/MGlobalVTI.h"

#include <algorithm>
#include <array>
#include <cctype>

#include <cerrno>

#include "driver/CTrxTestOptions.h"
#include "driver/CTrxVti.h"
#include "driver/TrxTypes.h"
#include "host_api/HostServices.h"
#include "host_api/ITestElement.h"
#include "host_api/ITestRun.h"
#include "plugin/config/CConfigECG.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/CErrorBuffer.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MSharedTools.h"

namespace plugin::MGlobalVTI {

namespace {
std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool containsAny(const std::string& text, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* name) {
    return text.find(lowered(name)) != std::string::npos;
  });
}

void append(std::string& list, const std::string& name) {
  if (!list.empty()) list += ",";
  list += name;
}

// Where a failure of the connection is passed on from, and the title the connection's own
// failure is raised with.
constexpr const char* ModuleName = "MGlobalVTI";
constexpr const char* ApplicationTitle = "orvelTRX440";
constexpr const char* Model = "TRX440";

// Element type ids whose options are no test options: resistance tests and the ECG test.
constexpr int32_t EcgTestId = 1900;
bool isResistanceTest(int32_t testId) { return testId == 300 || testId == 600 || testId == 700; }
bool hasOwnOptions(int32_t testId) { return testId == EcgTestId || isResistanceTest(testId); }

std::shared_ptr<CCfgTestOptions> groupTestOptions(const host_api::ITestElement& element) {
  auto config = std::dynamic_pointer_cast<CConfigTestGroup>(element.Configuration_get());
  return config ? config->Test_get() : nullptr;
}

// The standard of the element's template and the run options of its group.
void takeGroupOptions(vti::CTrxTestOptions& options,
                      const std::shared_ptr<host_api::ITestElement>& element) {
  auto parent = element->Parent_get();
  // A top-level element holds the host data and the options itself.
  const host_api::ITestElement& governing = parent ? *parent : *element;
  if (hasOwnOptions(governing.TestID_get())) return;
  const int32_t standard =
      StandardFromHost(host_api::hostServices().application->ElementData(governing));
  if (standard != -1) options.TestStandard_let(static_cast<vti::ETrxTestStd>(standard));
  auto test = groupTestOptions(governing);
  if (!test) return;
  options.DelayTimePowerOn_let(test->DelayTimePowerOn_get());
  options.DelayTimePowerOff_let(test->DelayTimePowerOff_get());
  options.StopAfterNewPC_let(test->StopAfterNewPC_get());
  options.StopBeforeNewPC_let(test->StopBeforeNewPC_get());
  options.PowerOFFScreen_let(static_cast<vti::ETrxPowerOFFScreen>(test->PowerOFFScreen_get()));
  options.PolaritySwitchingDelay_let(test->PolaritySwitchingDelay_get());
}

// What tells two records of the same instrument apart from records of others.
std::string identity(const host_api::IInstrumentData& data) {
  return data.Model() + "|" + data.ModelText() + "|" + data.SerialNumber();
}

// Records the connected instrument in the run once, numbered among the run's instruments.
void registerInstrument(host_api::ITestRun& testRun, vti::CTrxVti& vti) {
  auto data = vti.MtiData_get();
  if (!data) return;  // a host that keeps no instrument records
  const std::string own = identity(*data);
  int32_t highest = 0;
  for (const auto& entry : testRun.InstrumentData_get()) {
    if (!entry) continue;
    if (identity(*entry) == own) {
      data->SetModel(Model, entry->Index());
      return;
    }
    highest = std::max(highest, entry->Index());
  }
  data->SetModel(Model, highest + 1);
  testRun.AddInstrumentData(data);
}

std::shared_ptr<vti::CTrxVti> connect(const std::shared_ptr<host_api::ITestElement>& element) {
  auto vti = std::make_shared<vti::CTrxVti>();
  driverSlot() = vti;
  auto options = vti->TestOptions_get();
  if (element) takeGroupOptions(*options, element);
  const int32_t delay = options->PolaritySwitchingDelay_get();
  if (delay == 0 || delay > 5) {
    options->PolaritySwitchingDelay_let(MSharedTools::DefaultPolarityDelay());
  }
  vti->InitRemote(0);
  if (vti->State_get() != vti::evsIdle) {
    driverSlot().reset();
    MErrorConvention::RaiseOwn(ApplicationTitle, vti::errVTI_Error, MErrorConvention::KindPassedOn);
  }
  return vti;
}

// After a failed connection: the error is kept in the error buffer and the connection is
// gone. The driver has already shown its own failures, and a stop was the operator's will;
// anything else is passed on.
std::shared_ptr<vti::CTrxVti> connectionFailed() {
  const int32_t lastError = errno;
  const platform::ComError error = MErrorConvention::CurrentError(ModuleName);
  CErrorBuffer& buffer = CErrorBuffer::instance();
  buffer.Initialize(error, lastError);
  MErrorConvention::IgnoreErrors([] { driverSlot().reset(); });
  if (buffer.Number_get() == vti::errVTI_Error || buffer.Number_get() == vti::errVTI_UserAbort) {
    return nullptr;
  }
  MErrorConvention::HandleError(buffer.ErrObj_get(), ModuleName, {});
}
}  // namespace

std::shared_ptr<vti::CTrxVti>& driverSlot() {
  static std::shared_ptr<vti::CTrxVti> driver;
  return driver;
}

std::shared_ptr<vti::CTrxVti> Driver() { return driverSlot(); }

std::shared_ptr<vti::CTrxVti> OpenDriver(host_api::ITestRun* testRun,
                                         const std::shared_ptr<host_api::ITestElement>& element) {
  try {
    auto vti = driverSlot();
    if (!vti) vti = connect(element);
    if (testRun) registerInstrument(*testRun, *vti);
    return vti;
  } catch (...) {
    return connectionFailed();
  }
}

void CloseDriver(platform::forms::Form* owner) {
  auto vti = std::exchange(driverSlot(), nullptr);
  if (!vti) return;
  MErrorConvention::IgnoreErrors([&] {
    if (vti->State_get() != vti::evsClosed) vti->EndRemote(owner);
  });
}

void ApplyElementOptions(const std::shared_ptr<host_api::ITestElement>& element) {
  if (!element) return;
  auto vti = OpenDriver(nullptr, element);
  if (!vti) return;
  vti::CTrxTestOptions& options = *vti->TestOptions_get();
  auto configuration = element->Configuration_get();
  if (auto resistance = std::dynamic_pointer_cast<CConfigResistance>(configuration)) {
    options.MeasType_let(static_cast<vti::EMeasType>(resistance->Test_get()->MeasType_get()));
  } else if (auto ecg = std::dynamic_pointer_cast<CConfigECG>(configuration)) {
    options.WaveformType_let(
        static_cast<vti::EWaveformType>(ecg->ECGOptions_get()->WaveformType_get()));
    options.ECGDuration_let(ecg->ECGOptions_get()->Duration_get());
  } else if (auto test = groupTestOptions(*element)) {
    options.AppliedParts_let(static_cast<vti::EAppliedParts>(test->AppliedParts_get()));
    options.MeasType_let(static_cast<vti::EMeasType>(test->MeasType_get()));
    options.TestVoltage_let(static_cast<vti::ETestVoltage>(test->TestVoltage_get()));
    options.TotalLeakage_let(test->TotalLeakage_get());
    options.MAPPolarity_let(static_cast<vti::ETrxMAPPolarity>(test->MAPPolarity_get()));
    options.IRDuration_let(test->IRDuration_get());
  }
}

int32_t StandardFromHost(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string text;
  for (const auto& [name, value] : entries) {
    if (name != "Orvel") {
      text = lowered(value);
      break;
    }
  }
  if (text.empty()) return -1;
  if (containsAny(text, {"AAMI ES60601-1", "AAMI/NFPA-99"})) return vti::etsAAMI;
  if (containsAny(text, {"AS/NZS 3551"})) return vti::etsASNZ;
  if (containsAny(text, {"IEC 60601"})) return vti::ets601;
  if (containsAny(text, {"IEC 62353"})) return vti::ets353;
  if (containsAny(text, {"VDE 751.1", "DB9801S1"})) return vti::ets601;
  return vti::etsNONE;
}

std::string LeadName(int32_t socket) {
  static const std::array<const char*, 6> names = {"ALL", "RA", "LL", "LA", "RL", "V1"};
  if (socket < 0 || socket >= static_cast<int32_t>(names.size())) return {};
  return names[static_cast<size_t>(socket)];
}

std::string LeadList(const std::vector<int32_t>& sockets, int32_t leftOut) {
  std::string list;
  for (int32_t socket : sockets) {
    if (socket != leftOut) append(list, LeadName(socket));
  }
  return list;
}

std::string OtherLeads(const std::vector<int32_t>& sockets, int32_t count) {
  std::string list;
  for (int32_t socket = 1; socket <= count; ++socket) {
    if (std::find(sockets.begin(), sockets.end(), socket) == sockets.end()) {
      append(list, LeadName(socket));
    }
  }
  return list;
}

std::string WaveformName(int32_t waveformType) {
  static const std::array<const char*, 16> names = {
      "20404::Complex 30 BPM",  "20405::Complex 60 BPM",
      "20406::Complex 120 BPM", "20407::Complex 180 BPM",
      "20408::Complex 240 BPM", "20409::Pulse 30 BPM",
      "20410::Pulse 60 BPM",    "20411::Square 0.125 Hz",
      "20412::Square 2 Hz",     "20413::Sine 10 Hz",
      "20414::Sine 40 Hz",      "20415::Sine 50 Hz",
      "20416::Sine 60 Hz",      "20417::Sine 100 Hz",
      "20418::Triangle 2 Hz",   "20419::Vfib"};
  const bool known = waveformType >= 0 && waveformType < static_cast<int32_t>(names.size());
  return host_api::hostServices().application->Translate(
      PlugInId, known ? names[static_cast<size_t>(waveformType)] : "");
}

}  // namespace plugin::MGlobalVTI
