#include "plugin/elements/CTestGroup.h"

#include "host_api/HostServices.h"
#include "host_api/IMeasurement.h"
#include "host_api/ITestRun.h"
#include "platform/ComError.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MSharedTools.h"
#include "plugin/elements/CGroupRun.h"
#include "plugin/elements/MElementPerform.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/IPlugInReference.h"
#include "plugin/results/CResultTestGroup.h"

namespace plugin {

namespace {

// Errors of the host's container that placing a child passes on as they are.
const std::initializer_list<int32_t> AddPassedOn = {host_api::ElementError::ChildRefused,
                                                    host_api::ElementError::NoSuchChild,
                                                    host_api::ElementError::NoSuchRelative};

bool updatingNomenclature() {
  auto entry = PlugIn();
  return entry && entry->UpdateNomenClature_get();
}

}  // namespace

CTestGroup::CTestGroup(std::shared_ptr<host_api::IContainerCore> core)
    : CTestElement(core), m_children(core) {}

std::shared_ptr<CTestGroup> CTestGroup::Create() {
  return MErrorConvention::Guarded(MErrorConvention::ProgID(ClassName), {}, [] {
    auto core = host_api::hostServices().classes.newContainerCore();
    auto group = std::shared_ptr<CTestGroup>(new CTestGroup(core));
    // The core asks new children whether they accept this group, and gives loaded children
    // this group as their parent.
    if (core) core->Owner_set(group->self());
    return group;
  });
}

host_api::IContainerCore& CTestGroup::children() const {
  core();  // a terminated group fails here, with the element's error
  auto container = m_children.lock();
  if (!container) {
    throw platform::ComError(platform::RuntimeError::ObjectRequired, source(),
                             "The test group holds no container");
  }
  return *container;
}

std::shared_ptr<host_api::ITestElement> CTestGroup::Clone() const {
  return MErrorConvention::Guarded(source(), {}, [&] {
    auto clone = Create();
    clone->copyFrom(*this);
    for (const auto& child : children().Children()) clone->Add(child->Clone());
    clone->applyInstallationDefaults();
    return std::shared_ptr<host_api::ITestElement>(clone);
  });
}

void CTestGroup::applyInstallationDefaults() {
  auto configuration = std::dynamic_pointer_cast<CConfigTestGroup>(core().Configuration_get());
  if (!configuration || !updatingNomenclature()) return;
  // A group placed from the catalogue is set up for this installation's terms and mains
  // switching; a group copied within templates keeps what its template was set up for.
  if (auto setup = configuration->Modules_get()->ModuleSeup_get()) {
    setup->Nomenclature_let(MSharedTools::DefaultNomenclature());
  }
  configuration->Test_get()->PolaritySwitchingDelay_let(MSharedTools::DefaultPolarityDelay());
}

void CTestGroup::Perform(host_api::ITestRun& testRun) {
  MErrorConvention::Guarded(source(), {}, [&] {
    if (!testRun.MayPerform(*this) || children().Count() < 1) return;
    ensureResult<CResultTestGroup>();
    const bool opened = MGlobalTestGuide::OpenTestGuide(self(), &testRun);
    MElementPerform::ClosingGuide closing(opened);
    auto guide = MGlobalTestGuide::CurrentTestGuide();
    if (!guide) return;
    if (m_resetTheVariables) {
      guide->ResetTheLeadValue_let(true);
      m_resetTheVariables = false;
    }
    CGroupRun(*this, *guide, testRun).Run();
    keepModulesInOwner(*guide);
    if (guide->ResetTheLeadValue_get()) m_resetTheVariables = true;
  });
}

void CTestGroup::keepModulesInOwner(ITestGuide& guide) {
  auto owner = std::dynamic_pointer_cast<CTestElement>(MSharedTools::OwningElement(self()));
  if (!owner || !owner->Result_get()) return;
  switch (owner->TestID_get()) {
    case 100:
    case 800:
    case 1100:
    case 1200:
    case 1300:
    case 1400:
    case 1800:
      owner->KeepResultModuleSetup(guide.ResultModuleSetupData_get());
      break;
    default:
      break;
  }
}

void CTestGroup::RemoveGroupResult() {
  MErrorConvention::Guarded(source(), {}, [&] { core().Result_set(nullptr); });
}

int32_t CTestGroup::ChildCount_get() const {
  return MErrorConvention::Guarded(source(), {}, [&] { return children().Count(); });
}

std::shared_ptr<host_api::IResultData> CTestGroup::newResult() const {
  auto result = std::make_shared<CResultTestGroup>();
  if (auto configuration = std::dynamic_pointer_cast<CConfigTestGroup>(Configuration_get())) {
    result->SummaryMode_let(configuration->ValueFilter_get());
  }
  return result;
}

template <typename Action>
void CTestGroup::forEachAutoTestChild(Action&& action) const {
  for (const auto& child : children().Children()) {
    if (auto autoTest = std::dynamic_pointer_cast<IAutoTest>(child)) action(*autoTest);
  }
}

void CTestGroup::ResetResult(int32_t option) {
  MErrorConvention::Guarded(source(), {}, [&] {
    if (option == ResetRemove) {
      core().Result_set(nullptr);
    } else {
      auto result = ensureResult<CResultTestGroup>();
      result->Clear();
      if (option == ResetNoVerdict) result->Status_let(host_api::ResultStatus::NoVerdict);
    }
    forEachAutoTestChild([&](IAutoTest& child) { child.ResetResult(option); });
  });
}

void CTestGroup::ResetLimits() {
  MErrorConvention::Guarded(
      source(), {}, [&] { forEachAutoTestChild([](IAutoTest& child) { child.ResetLimits(); }); });
}

int32_t CTestGroup::Count() const {
  return MErrorConvention::Guarded(source(), {}, [&] { return children().Count(); });
}

std::shared_ptr<host_api::ITestElement> CTestGroup::Item(int32_t index) const {
  return MErrorConvention::Guarded(source(), {}, [&] { return children().Item(index); });
}

void CTestGroup::Add(const std::shared_ptr<host_api::ITestElement>& child,
                     const std::shared_ptr<host_api::ITestElement>& relative, int32_t relation) {
  MErrorConvention::Guarded(source(), AddPassedOn, [&] {
    children().Add(child, relative, relation);
    child->Parent_set(self());
  });
}

void CTestGroup::Add(const std::shared_ptr<host_api::ITestElement>& child) {
  Add(child, nullptr, host_api::InsertRelation::Last);
}

std::shared_ptr<host_api::ITestElement> CTestGroup::FindElement(int32_t testId) const {
  return MErrorConvention::Guarded(source(), {}, [&] { return children().FindElement(testId); });
}

void CTestGroup::Remove(const std::shared_ptr<host_api::ITestElement>& child) {
  MErrorConvention::Guarded(source(), {MPlugInErrors::errGroupRemove}, [&] {
    if (!child) return;
    children().Remove(child);
    // A removed child that still named this group would take its settings from a group that
    // no longer runs it.
    if (child->Parent_get().get() == static_cast<const host_api::ITestElement*>(this)) {
      child->Parent_set(nullptr);
    }
  });
}

std::vector<std::shared_ptr<host_api::ITestElement>> CTestGroup::NewEnum() const {
  return MErrorConvention::Guarded(source(), {}, [&] { return children().Children(); });
}

}  // namespace plugin
