#include "plugin/elements/CTestElement.h"

#include <optional>

#include "platform/ComError.h"
#include "plugin/config/CConfigECG.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/config/MConfigXml.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MXmlUtils.h"
#include "plugin/limits/CLimitData.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/results/CResultData.h"
#include "plugin/results/CResultTestGroup.h"

namespace plugin {

namespace {

constexpr const char* ElementTag = "TestElement";
constexpr const char* ResultTag = "ResultItem";
constexpr const char* LimitsTag = "ExpectedResult";
constexpr const char* DefinitionTag = "AutoTest";
// The resistance test whose limit keys follow its configuration's measurement type.
constexpr int32_t ResistanceTestID = 700;

// Errors of the host's core that loading passes on as they are, with the plug-in's own.
const std::initializer_list<int32_t> LoadPassedOn = {
    host_api::ElementError::NotAnElement, host_api::ElementError::MissingAttribute,
    host_api::ElementError::OtherPlugIn, MPlugInErrors::errElementLoad};

// The configuration that reads the stored "PlugInData": each kind writes option records of
// its own, so the records say which kind it was.
std::shared_ptr<host_api::IConfigData> configurationFor(const host_api::IXmlElement& stored) {
  if (stored.findChild("ResOptions")) return std::make_shared<CConfigResistance>();
  if (stored.findChild("ECGOptions")) return std::make_shared<CConfigECG>();
  if (stored.findChild("TestOptions") || stored.findChild("ModuleOptions")) {
    return std::make_shared<CConfigTestGroup>();
  }
  return nullptr;
}

// Runs `step` and keeps its error if it is the first; the steps after it still run.
template <typename Step>
void runStep(std::optional<platform::ComError>& first, const std::string& source, Step&& step) {
  try {
    step();
  } catch (...) {
    if (!first) first = MErrorConvention::CurrentError(source);
  }
}

}  // namespace

CTestElement::CTestElement(std::shared_ptr<host_api::IElementCore> core)
    : m_core(std::move(core)) {}

CTestElement::~CTestElement() = default;

std::string CTestElement::source() const { return MErrorConvention::ProgID(className()); }

host_api::IElementCore& CTestElement::core() const {
  if (!m_core) {
    throw platform::ComError(platform::RuntimeError::ObjectRequired, source(),
                             "The test element has been terminated");
  }
  return *m_core;
}

std::shared_ptr<host_api::ITestElement> CTestElement::self() { return shared_from_this(); }

std::string CTestElement::PlugInID_get() const {
  return MErrorConvention::Guarded(source(), {}, [&] { return core().PlugInID_get(); });
}

int32_t CTestElement::TestID_get() const {
  return MErrorConvention::Guarded(source(), {}, [&] { return core().TestID_get(); });
}

int32_t CTestElement::ID_get() const {
  return MErrorConvention::Guarded(source(), {}, [&] { return core().ID_get(); });
}

void CTestElement::ID_let(int32_t id) {
  MErrorConvention::Guarded(source(), {}, [&] { core().ID_let(id); });
}

std::shared_ptr<host_api::ITestElement> CTestElement::Parent_get() const {
  return MErrorConvention::Guarded(source(), {}, [&] { return core().Parent_get(); });
}

void CTestElement::Parent_set(const std::shared_ptr<host_api::ITestElement>& parent) {
  MErrorConvention::Guarded(source(), {}, [&] { core().Parent_set(parent); });
}

std::shared_ptr<host_api::ITestInformation> CTestElement::Info_get() const {
  return MErrorConvention::Guarded(source(), {}, [&] { return core().Info_get(); });
}

std::shared_ptr<host_api::IElementFilter> CTestElement::Filter_get() const {
  return MErrorConvention::Guarded(source(), {}, [&] { return core().Filter_get(); });
}

std::shared_ptr<host_api::IResultData> CTestElement::Result_get() const {
  return MErrorConvention::Guarded(source(), {}, [&] { return core().Result_get(); });
}

std::shared_ptr<host_api::IConfigData> CTestElement::Configuration_get() const {
  return MErrorConvention::Guarded(source(), {}, [&] { return core().Configuration_get(); });
}

std::shared_ptr<CLimitData> CTestElement::LimitData() const {
  return m_core ? std::dynamic_pointer_cast<CLimitData>(m_core->Limits_get()) : nullptr;
}

std::shared_ptr<host_api::ILimitData> CTestElement::Limits_get() {
  return MErrorConvention::Guarded(source(), {}, [&] {
    if (core().TestID_get() == ResistanceTestID) followResistanceMeasType();
    return core().Limits_get();
  });
}

void CTestElement::followResistanceMeasType() {
  auto configuration = std::dynamic_pointer_cast<CConfigResistance>(core().Configuration_get());
  if (!configuration || !configuration->Test_get()) return;
  const int32_t measType = configuration->Test_get()->MeasType_get();
  if (measType == m_lastMeasType) return;
  m_lastMeasType = measType;
  if (auto limits = LimitData()) limits->RefreshEditor(this, this, false);
}

void CTestElement::adoptConfiguration(const std::shared_ptr<host_api::IConfigData>& configuration) {
  if (auto group = std::dynamic_pointer_cast<CConfigTestGroup>(configuration)) {
    group->Owner_set(self());
  } else if (auto resistance = std::dynamic_pointer_cast<CConfigResistance>(configuration)) {
    resistance->Owner_set(self());
  } else if (auto ecg = std::dynamic_pointer_cast<CConfigECG>(configuration)) {
    ecg->Owner_set(self());
  }
}

void CTestElement::Initialize(int32_t testId, int32_t id,
                              const std::shared_ptr<host_api::IConfigData>& configuration) {
  const std::string src = source();
  MErrorConvention::Guarded(src, {}, [&] {
    // Every step is taken even when one before failed, so that an element whose configuration
    // could not be adopted still has its identity and limits; the first error then goes on.
    std::optional<platform::ComError> first;
    runStep(first, src, [&] { core().Initialize(PlugInId, testId, id); });
    runStep(first, src, [&] {
      core().Configuration_set(configuration);
      adoptConfiguration(configuration);
    });
    runStep(first, src, [&] {
      auto limits = std::make_shared<CLimitData>();
      limits->SetOwner(self(), editableLimitsAtInitialize());
      core().Limits_set(limits);
    });
    if (first) throw *first;
  });
}

void CTestElement::copyFrom(const CTestElement& other) {
  core().CopyFrom(other.core());
  m_requireModules = other.m_requireModules;
  m_hasDCLimits = other.m_hasDCLimits;
  m_hasTotalLimits = other.m_hasTotalLimits;
  m_requireLeadUsage = other.m_requireLeadUsage;
  m_unit = other.m_unit;
  adoptConfiguration(core().Configuration_get());
  auto limits = std::make_shared<CLimitData>();
  if (auto otherLimits = other.core().Limits_get()) limits->CopyFrom(*otherLimits);
  limits->SetOwner(self(), true);
  core().Limits_set(limits);
}

void CTestElement::prepareToLoad(const host_api::IXmlElement& stored) {
  // A template's element is made by its ProgID and then loaded: the core reads only into the
  // objects the element holds, so every part that was stored needs its object first.
  if (!core().Configuration_get()) {
    if (auto data = stored.findChild(MConfigXml::PlugInDataTag)) {
      auto configuration = configurationFor(*data);
      core().Configuration_set(configuration);
      adoptConfiguration(configuration);
    }
  }
  if (!core().Limits_get() && stored.findChild(LimitsTag)) {
    auto limits = std::make_shared<CLimitData>();
    limits->SetOwner(self(), true);
    core().Limits_set(limits);
  }
  if (!core().Result_get() && stored.findChild(ResultTag)) core().Result_set(newResult());
}

void CTestElement::loadResultAlone(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  // A stored result replaces the element's whole result, comment and module setup too; one
  // that cannot be read leaves the result the element had.
  auto previous = core().Result_get();
  core().Result_set(newResult());
  try {
    core().Load(element, log);
  } catch (...) {
    core().Result_set(previous);
    throw;
  }
}

void CTestElement::readDefinition(const host_api::IXmlElement& stored) {
  auto definition = stored.findChild(DefinitionTag);
  if (definition) {
    m_unit = definition->getAttribute("Unit").value_or("");
    m_requireModules = MXmlUtils::ReadBoolean(*definition, "RequireModules");
    m_hasDCLimits = MXmlUtils::ReadBoolean(*definition, "HasDCLimits");
    m_hasTotalLimits = MXmlUtils::ReadBoolean(*definition, "HasTotalLimits");
    m_requireLeadUsage = MXmlUtils::ReadBoolean(*definition, "RequireLeadUsage");
  }
  loadDefinition(definition.get(), stored);
}

void CTestElement::Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  MErrorConvention::Guarded(source(), LoadPassedOn, [&] {
    const std::string name = element.tagName();
    if (name == ResultTag) return loadResultAlone(element, log);
    if (name != ElementTag) {
      MErrorConvention::RaiseOwn(className(), MPlugInErrors::errElementLoad,
                                 MErrorConvention::KindMisuse);
    }
    // The definition first: a result made for the stored one takes the element's unit.
    readDefinition(element);
    prepareToLoad(element);
    core().Load(element, log);
  });
}

std::shared_ptr<host_api::IXmlElement> CTestElement::Save(host_api::IXmlElement& owner) const {
  return MErrorConvention::Guarded(source(), {MPlugInErrors::errGroupSave}, [&] {
    auto stored = core().Save(owner);
    if (!stored) return stored;
    auto definition = stored->appendNewChild(DefinitionTag);
    definition->setAttribute("Unit", m_unit);
    MXmlUtils::WriteBoolean(*definition, "RequireModules", m_requireModules);
    MXmlUtils::WriteBoolean(*definition, "HasDCLimits", m_hasDCLimits);
    MXmlUtils::WriteBoolean(*definition, "HasTotalLimits", m_hasTotalLimits);
    MXmlUtils::WriteBoolean(*definition, "RequireLeadUsage", m_requireLeadUsage);
    saveDefinition(*definition, *stored);
    return stored;
  });
}

void CTestElement::saveDefinition(host_api::IXmlElement&, host_api::IXmlElement&) const {}

void CTestElement::loadDefinition(const host_api::IXmlElement*, const host_api::IXmlElement&) {}

void CTestElement::PrintReport(host_api::IReport* report, host_api::ITestRun*) const {
  MErrorConvention::Guarded(source(), {}, [&] { core().PrintReport(report); });
}

void CTestElement::Terminate() {
  MErrorConvention::Guarded(source(), {}, [&] {
    if (!m_core) return;
    auto core = std::move(m_core);
    core->Terminate();
  });
}

void CTestElement::UpdateReferences() {
  MErrorConvention::Guarded(source(), {}, [&] {
    if (auto limits = LimitData()) limits->SetOwner(self(), limits->HasEditableLimits());
  });
}

void CTestElement::KeepResultModuleSetup(const std::shared_ptr<CModuleSetup>& setup) const {
  if (!setup) return;
  // A copy: the guide goes on changing its own while the result must keep what was tested.
  auto result = core().Result_get();
  if (auto data = std::dynamic_pointer_cast<CResultData>(result)) {
    data->ModuleSetup_set(setup->CloneSetup());
  } else if (auto group = std::dynamic_pointer_cast<CResultTestGroup>(result)) {
    group->ModuleSetup_set(setup->CloneSetup());
  }
}

CPropertyTable CTestElement::PropertyTable() {
  CPropertyTable table(source());
  describeProperties(table);
  return table;
}

void CTestElement::describeProperties(CPropertyTable& table) {
  table.AddText(
      "Unit", "read-only", [this] { return m_unit; }, nullptr);
}

}  // namespace plugin
