#include "plugin/limits/CLimitData.h"

#include "host_api/HostServices.h"
#include "plugin/core/FElementSetup.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/limits/MReportStandards.h"
#include "plugin/limits/MTestLimits.h"
#include "plugin/modules/IPlugInReference.h"

namespace plugin {

namespace {

const std::string ProgId = MErrorConvention::ProgID("CLimitData");
const std::string StoredName = "ExpectedResult";
const std::string EditorProgId = "OrvelView.XLimitView";
// How the host shows a settings page; the editor is handed its data with the same flags.
constexpr int32_t SettingsPageFlags = 9;
// A standard made here rather than taken from the catalogue.
constexpr int32_t FlagOwnStandard = 1;

host_api::HostClasses& hostClasses() { return host_api::hostServices().classes; }

// A copy of `standard` without limits: same id, class and flag.
std::shared_ptr<host_api::ILimitStandard> clearedCopy(const host_api::ILimitStandard& standard) {
  auto copy = standard.Copy();
  copy->Limits_get()->Clear();
  return copy;
}

// The first limit of `standard` under `key` (keys compare case-sensitively), or null.
std::shared_ptr<host_api::ILimit> limitUnder(const host_api::ILimitStandard& standard,
                                             const std::string& key) {
  auto limits = standard.Limits_get();
  for (int32_t i = 1; i <= limits->Count(); ++i) {
    auto limit = limits->Item(i);
    if (limit && limit->Key_get() == key) return limit;
  }
  return nullptr;
}

// A cleared copy of `keys` holding, for each of its limits in order, the first limit of `source`
// under the same key; keys `source` lacks are left out.
std::shared_ptr<host_api::ILimitStandard> takeLimits(const host_api::ILimitStandard& keys,
                                                     const host_api::ILimitStandard& source) {
  auto result = clearedCopy(keys);
  auto keyList = keys.Limits_get();
  for (int32_t i = 1; i <= keyList->Count(); ++i) {
    auto key = keyList->Item(i);
    if (!key) continue;
    if (auto limit = limitUnder(source, key->Key_get())) result->AddLimit(limit);
  }
  return result;
}

bool isEmpty(const host_api::ILimitStandard& standard) {
  return standard.Limits_get()->Count() == 0;
}

bool sameStandard(const host_api::ILimitStandard& a, const host_api::ILimitStandard& b) {
  return a.StandardID_get() == b.StandardID_get() && a.ClassName_get() == b.ClassName_get();
}

}  // namespace

CLimitData::CLimitData() = default;
CLimitData::~CLimitData() = default;

std::shared_ptr<host_api::ILimitData> CLimitData::Clone() const {
  return MErrorConvention::Guarded(ProgId, {}, [&] {
    auto clone = std::make_shared<CLimitData>();
    clone->CopyFrom(*this);
    return std::shared_ptr<host_api::ILimitData>(clone);
  });
}

void CLimitData::CopyFrom(const host_api::ILimitData& other) {
  MErrorConvention::Guarded(ProgId, {}, [&] {
    auto standards = other.Standards_get();
    // A copy of limit data without standards has none either, rather than keeping old ones.
    m_standards = standards ? standards->Copy() : nullptr;
    m_reference = m_standards ? m_standards->Copy() : nullptr;
    if (auto* data = dynamic_cast<const CLimitData*>(&other))
      m_editable = data->HasEditableLimits();
  });
}

void CLimitData::SetOwner(const std::shared_ptr<host_api::ITestElement>& owner, bool editable) {
  m_owner = owner;
  m_editable = editable;
  try {
    if (!owner || owner->TestID_get() == MTestLimits::ECGTestID) m_editable = false;
  } catch (...) {
    m_editable = false;  // an owner that cannot say what it is gets no editor
  }
}

const IAutoTest* CLimitData::ownerAutoTest(const host_api::ITestElement* owner) const {
  return dynamic_cast<const IAutoTest*>(owner);
}

void CLimitData::Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  MErrorConvention::Guarded(ProgId, {MPlugInErrors::errLimitDataElement}, [&] {
    if (element.tagName() != StoredName) {
      MErrorConvention::RaiseOwn(ProgId, MPlugInErrors::errLimitDataElement,
                                 MErrorConvention::KindPassedOn);
    }
    // Loaded aside first, so that a failing load leaves the limits the element had.
    auto standards = hostClasses().newStandards();
    standards->Load(element, log);
    auto reference = standards->Copy();
    if (standards->Count() == 0) standards = reference = nullptr;
    m_standards = std::move(standards);
    m_reference = std::move(reference);
  });
}

std::shared_ptr<host_api::IXmlElement> CLimitData::Save(host_api::IXmlElement& owner) const {
  return MErrorConvention::Guarded(ProgId, {}, [&]() -> std::shared_ptr<host_api::IXmlElement> {
    if (!m_standards || m_standards->Count() == 0) return nullptr;
    auto element = m_standards->Save(owner);
    if (element) element->setTagName(StoredName);
    return element;
  });
}

void CLimitData::PrintReport(host_api::IReport*, host_api::ITestRun*) const {
  MErrorConvention::Guarded(ProgId, {}, [&] { MReportStandards::Fill(m_standards.get()); });
}

std::shared_ptr<host_api::IStandards> CLimitData::FindFailedStandards(
    const host_api::IMeasurement* measurement, const host_api::IStandards* selected) const {
  return MErrorConvention::Guarded(ProgId, {}, [&]() -> std::shared_ptr<host_api::IStandards> {
    if (!m_standards || !measurement || !selected || m_standards->Count() == 0) return nullptr;
    const std::string key = measurement->LimitKey_get();
    // The reading goes to the standard as it is: converted to a number first, an "OL" (over
    // range) would fail the conversion and never reach the high limit it must fail.
    const platform::Variant value = measurement->Value_get();
    auto failed = hostClasses().newStandards();
    for (int32_t i = 1; i <= selected->Count(); ++i) {
      auto wanted = selected->Item(i);
      if (!wanted) continue;
      auto own = m_standards->Find(0, wanted->StandardID_get(), wanted->ClassName_get());
      if (own && own->Evaluate(key, value) == host_api::LimitStatus::Failed) failed->Add(own);
    }
    return failed->Count() > 0 ? failed : nullptr;
  });
}

std::shared_ptr<host_api::ILimitStandard> CLimitData::MergeStandard(
    const host_api::ILimitStandard& current, const host_api::ILimitStandard& templ) const {
  return MErrorConvention::Guarded(ProgId, {}, [&] {
    auto keys = clearedCopy(templ);
    if (auto owner = Owner_get()) {
      MTestLimits::AddLimitKeys(*keys, ownerAutoTest(owner.get()), owner.get());
    }
    auto applicable = takeLimits(*keys, templ);
    if (isEmpty(*applicable)) {
      keys->Initialize(keys->StandardID_get(), keys->ClassName_get(), FlagOwnStandard);
      applicable = clearedCopy(*keys);
    }
    auto merged = takeLimits(*applicable, current);
    if (isEmpty(*merged)) {
      merged->Initialize(applicable->StandardID_get(), applicable->ClassName_get(),
                         applicable->Flag_get());
    }
    return merged;
  });
}

void CLimitData::UpdateStandardsCollection(bool) {
  MErrorConvention::Guarded(ProgId, {}, [&] {
    if (!m_standards || !m_reference) return;
    for (int32_t r = 1; r <= m_reference->Count(); ++r) {
      auto reference = m_reference->Item(r);
      if (!reference) continue;
      for (int32_t c = 1; c <= m_standards->Count(); ++c) {
        auto current = m_standards->Item(c);
        if (!current || !sameStandard(*current, *reference)) continue;
        auto merged = MergeStandard(*current, *reference);
        m_standards->Remove(current->StandardID_get(), current->ClassName_get());
        m_standards->Add(merged);
        break;
      }
    }
  });
}

std::shared_ptr<host_api::ILimitStandard> CLimitData::created(int32_t standardId,
                                                              const std::string& className) const {
  auto owner = Owner_get();
  std::shared_ptr<host_api::ILimitStandard> standard;
  if (auto entry = PlugIn(); entry && owner) {
    standard = entry->LimitStandardOf(owner->TestID_get(), standardId, className);
  }
  if (standard) return standard;
  // Not in the catalogue: the element's keys without values, for the user to fill in.
  standard = hostClasses().newLimitStandard();
  standard->Initialize(standardId, className, FlagOwnStandard);
  if (owner) MTestLimits::AddLimitKeys(*standard, ownerAutoTest(owner.get()), owner.get());
  return standard;
}

std::shared_ptr<host_api::ILimitStandard> CLimitData::CreateStandard(int32_t standardId,
                                                                     const std::string& className) {
  return MErrorConvention::Guarded(ProgId, {}, [&] {
    auto standard = created(standardId, className);
    if (!m_standards) m_standards = hostClasses().newStandards();
    m_standards->Add(standard);
    m_reference = m_standards->Copy();
    if (!EditorOpen()) return standard;
    mergeCreated(standard->StandardID_get(), standard->ClassName_get());
    // The caller edits what the collection holds, which is the merged standard now.
    return m_standards->Find(0, standard->StandardID_get(), standard->ClassName_get());
  });
}

// With an editor open, a standard just created must hold exactly the keys the editor shows.
void CLimitData::mergeCreated(int32_t standardId, const std::string& className) {
  auto current = m_standards->Find(0, standardId, className);
  auto reference = m_reference->Find(0, standardId, className);
  if (!current || !reference) return;
  auto merged = MergeStandard(*current, *reference);
  m_standards->Remove(merged->StandardID_get(), merged->ClassName_get());
  m_standards->Add(merged);
}

std::shared_ptr<host_api::IDialog> CLimitData::CreateDialog() {
  return MErrorConvention::Guarded(ProgId, {}, [&]() -> std::shared_ptr<host_api::IDialog> {
    if (!m_editable) return nullptr;
    auto dialog = std::make_shared<FElementSetup>();
    std::shared_ptr<host_api::ILimitEditor> editor;
    try {
      editor =
          std::dynamic_pointer_cast<host_api::ILimitEditor>(dialog->CreateSetupCtrl(EditorProgId));
    } catch (const platform::ComError&) {
      editor = nullptr;  // a host without the editor offers no dialog
    }
    if (!editor) {
      dialog->Unload();
      return nullptr;
    }
    m_dialog = dialog;
    UpdateStandardsCollection();
    fillEditor(*editor);
    dialog->Initialize(SettingsPageFlags, platform::Variant(shared_from_this()));
    return dialog;
  });
}

std::shared_ptr<host_api::ILimitEditor> CLimitData::openEditor() const {
  auto dialog = m_dialog.lock();
  return dialog ? std::dynamic_pointer_cast<host_api::ILimitEditor>(dialog->Control()) : nullptr;
}

void CLimitData::fillEditor(host_api::ILimitEditor& editor) {
  auto owner = Owner_get();
  MTestLimits::ListLimitKeys(editor, ownerAutoTest(owner.get()), owner.get());
}

void CLimitData::RefreshEditor(const host_api::ITestElement* element,
                               const host_api::ITestElement* subElement, bool forced) {
  MErrorConvention::Guarded(ProgId, {}, [&] {
    auto editor = openEditor();
    if (!editor) return;
    const host_api::ITestElement* changed = subElement ? subElement : element;
    if (!forced && changed && !MTestLimits::EndsInHundreds(changed->TestID_get())) return;
    UpdateStandardsCollection();
    editor->ClearRows();
    fillEditor(*editor);
    editor->SetLimitData(platform::Variant(shared_from_this()), SettingsPageFlags);
  });
}

void CLimitData::Terminate() {
  m_owner.reset();
  m_dialog.reset();
  if (m_standards) m_standards->Clear();
  if (m_reference) m_reference->Clear();
  m_standards = nullptr;
  m_reference = nullptr;
}

}  // namespace plugin
