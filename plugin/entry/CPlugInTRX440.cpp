#include "plugin/entry/CPlugInTRX440.h"

#include "host_api/HostServices.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MLibraryLocation.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/entry/MCatalogue.h"
#include "plugin/entry/MPlugInIcons.h"
#include "plugin/limits/MReportStandards.h"
#include "plugin/modules/CModuleSetup.h"

#ifndef ORVEL_PLUGIN_VERSION
#define ORVEL_PLUGIN_VERSION "0.0.0"
#endif

namespace plugin {

namespace {

const std::string& source() {
  static const std::string progId = MErrorConvention::ProgID(CPlugInTRX440::ClassName);
  return progId;
}

// Elements whose configuration is never a group configuration: the single measurements of the
// 300s to 700s and the ECG simulation. Only the others can hold the device's module setup.
bool mayHoldModuleSetup(int32_t testId) { return (testId < 300 || testId > 799) && testId != 1900; }

// A group configuration that asks for the device's own module setup: it has one, still empty.
bool wantsDeviceModules(const platform::Object& object) {
  auto element = dynamic_cast<const host_api::ITestElement*>(&object);
  if (!element || element->PlugInID_get() != PlugInId) return false;
  if (!mayHoldModuleSetup(element->TestID_get())) return false;
  auto configuration = std::dynamic_pointer_cast<CConfigTestGroup>(element->Configuration_get());
  if (!configuration || !configuration->Modules_get()) return false;
  auto setup = configuration->Modules_get()->ModuleSeup_get();
  return setup && setup->Count_get() == 0;
}

// Under AAMI terms there are no body-floating parts, so none of their limits is offered: the
// plain key and the ones with a measurement suffix ("::BF_AC", "::BF_TOT", ...) alike.
bool isBodyFloatKey(const std::string& key) { return key == "::BF" || key.rfind("::BF_", 0) == 0; }

void removeBodyFloatLimits(host_api::ILimitStandard& standard) {
  auto limits = standard.Limits_get();
  for (int32_t i = limits->Count(); i >= 1; --i) {
    if (isBodyFloatKey(limits->Item(i)->Key_get())) limits->Remove(i);
  }
}

}  // namespace

CPlugInTRX440::CPlugInTRX440(std::string libraryFolder)
    : m_libraryFolder(libraryFolder.empty() ? MLibraryLocation::Folder()
                                            : std::move(libraryFolder)) {
  MReportStandards::Reset();
}

CPlugInTRX440::~CPlugInTRX440() { terminateCatalogue(); }

void CPlugInTRX440::terminateCatalogue() {
  if (!m_catalogue) return;
  for (const auto& element : m_catalogue->NewEnum()) {
    MErrorConvention::IgnoreErrors([&] { element->Terminate(); });
  }
  m_catalogue.reset();
}

std::string CPlugInTRX440::ID_get() const { return PlugInId; }

std::optional<host_api::Picture> CPlugInTRX440::Icon(int32_t testId, int32_t size,
                                                     int32_t /*colour*/) const {
  auto name = MPlugInIcons::IconName(testId, size);
  if (!name) return std::nullopt;
  return host_api::Picture{*name, MPlugInIcons::ImageFile(m_libraryFolder, *name)};
}

std::string CPlugInTRX440::Name_get() const {
  return MErrorConvention::Guarded(source(), {}, [] {
    return host_api::hostServices().application->Translate(PlugInId, NameText);
  });
}

void CPlugInTRX440::raiseNotInitialized() const {
  MErrorConvention::RaiseOwn(source(), MPlugInErrors::errNotInitialized,
                             MErrorConvention::KindMisuse, {source()});
}

std::shared_ptr<host_api::ISetup> CPlugInTRX440::Setup_get() const {
  return MErrorConvention::Guarded(source(), {MPlugInErrors::errNotInitialized}, [&] {
    if (!m_initialised) raiseNotInitialized();
    return std::static_pointer_cast<host_api::ISetup>(m_setup);
  });
}

std::shared_ptr<host_api::ITestContainer> CPlugInTRX440::Tests_get() const {
  return MErrorConvention::Guarded(source(), {MPlugInErrors::errNotInitialized}, [&] {
    if (!m_initialised || !m_catalogue) raiseNotInitialized();
    return m_catalogue;
  });
}

std::string CPlugInTRX440::Version_get() const { return ORVEL_PLUGIN_VERSION; }

void CPlugInTRX440::Initialize(const std::shared_ptr<platform::Object>& /*log*/) {
  MErrorConvention::Guarded(source(), {}, [&] {
    m_updateNomenclature = false;
    m_setup = std::make_shared<CPlugInSetup>(m_libraryFolder);
    m_setup->RegLoad(0, "");
    terminateCatalogue();
    m_catalogue = MCatalogue::LoadCatalogue(m_setup->Configuration_get());
    m_initialised = true;
    m_flags = 1;
    SetPlugIn(shared_from_this());
  });
}

std::shared_ptr<host_api::ITestElement> CPlugInTRX440::CreateTest(int32_t testId) {
  return MErrorConvention::Guarded(source(), {}, [&]() -> std::shared_ptr<host_api::ITestElement> {
    auto original = m_catalogue ? m_catalogue->FindElement(testId) : nullptr;
    if (!original) return nullptr;
    // Groups cloned meanwhile take the installation's defaults instead of the catalogue's.
    m_updateNomenclature = true;
    std::shared_ptr<host_api::ITestElement> clone;
    try {
      clone = original->Clone();
    } catch (...) {
      m_updateNomenclature = false;
      throw;
    }
    m_updateNomenclature = false;
    if (auto test = std::dynamic_pointer_cast<IAutoTest>(clone)) test->ResetLimits();
    return clone;
  });
}

std::shared_ptr<host_api::IConfigData> CPlugInTRX440::CreateDUTData() {
  return MErrorConvention::Guarded(source(), {}, [&]() -> std::shared_ptr<host_api::IConfigData> {
    m_dut.reset();
    for (const auto& element : host_api::hostServices().application->TestElements_get()) {
      if (!element || !wantsDeviceModules(*element)) continue;
      m_dut = std::make_shared<CModuleSetup>();
      return m_dut;
    }
    return nullptr;
  });
}

CPlugInSetup& CPlugInTRX440::SetupObject() {
  if (!m_setup) raiseNotInitialized();
  return *m_setup;
}

std::shared_ptr<host_api::ILimitStandard> CPlugInTRX440::LimitStandardOf(
    int32_t testId, int32_t standardId, const std::string& className) {
  return MErrorConvention::Guarded(
      source(), {}, [&]() -> std::shared_ptr<host_api::ILimitStandard> {
        auto element = m_catalogue ? m_catalogue->FindElement(testId) : nullptr;
        auto limits = element ? element->Limits_get() : nullptr;
        auto standards = limits ? limits->Standards_get() : nullptr;
        auto standard = standards ? standards->Find(0, standardId, className) : nullptr;
        if (!standard) return nullptr;
        auto copy = standard->Copy();
        if (m_setup && m_setup->Nomenclature_get() == CModuleSetup::NomenclatureAAMI) {
          removeBodyFloatLimits(*copy);
        }
        return copy;
      });
}

}  // namespace plugin
