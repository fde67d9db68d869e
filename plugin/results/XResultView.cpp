#include "plugin/results/XResultView.h"

#include <any>

#include "host_api/HostServices.h"
#include "host_api/ITestContainer.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormTools.h"
#include "plugin/config/CCfgModuleOptions.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/config/MModuleFilters.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/MModuleUtils.h"
#include "plugin/results/MResultRows.h"

namespace plugin {

namespace {
using platform::forms::ListItem;
using namespace MResultRows;

const std::string Source = MErrorConvention::ProgID("XResultView");
const std::string ModuleIndent(6, ' ');
const std::string LeadIndent(9, ' ');

std::string translate(const std::string& text) {
  return host_api::hostServices().application->Translate(PlugInId, text);
}

std::shared_ptr<host_api::ITestElement> rowElement(const ListItem& item) {
  if (auto* element = std::any_cast<std::shared_ptr<host_api::ITestElement>>(&item.data)) {
    return *element;
  }
  return nullptr;
}

std::shared_ptr<host_api::IMeasurement> rowReading(const ListItem& item) {
  const auto* cell = item.findCell(ColValue);
  if (!cell) return nullptr;
  auto* m = std::any_cast<std::shared_ptr<host_api::IMeasurement>>(&cell->data);
  return m ? *m : nullptr;
}

bool isContainer(const std::shared_ptr<host_api::ITestElement>& element) {
  return std::dynamic_pointer_cast<host_api::ITestContainer>(element) != nullptr;
}

// The result's status; nothing when it cannot be read.
std::optional<int32_t> statusOf(const host_api::IResultData* result) {
  if (!result) return std::nullopt;
  try {
    return result->Status_get();
  } catch (...) {
    return std::nullopt;
  }
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.rfind(prefix, 0) == 0;
}

}  // namespace

XResultView::XResultView(platform::forms::ListView& list) : m_list(list) {
  buildColumns();
  m_notApplicable = translate("20343::NA");
  m_list.onMouseDown(
      [this](int button, int shift, int x, int y) { m_mouseDown(button, shift, x, y); });
}

void XResultView::buildColumns() {
  const bool visible = m_list.Visible_get();
  m_list.Visible_let(false);  // one redraw for all columns
  m_list.addColumn("NAM", "20340::Test", 32);
  m_list.addColumn("MOD", "20342::Module", 12);
  m_list.addColumn("VAL", "231::Value", 14);
  m_list.addColumn("HIL", "232::High limit", 12);
  m_list.addColumn("LOL", "233::Low limit", 12);
  platform::forms::translateCaptions(m_list,
                                     [](const std::string& text) { return translate(text); });
  m_list.Visible_let(visible);
}

void XResultView::Initialize(const std::shared_ptr<CModuleSetup>& setup) { m_setup = setup; }

void XResultView::Clear() { m_list.clearItems(); }

std::string XResultView::rowText(const host_api::ITestElement& element) const {
  auto info = element.Info_get();
  if (!info) return {};
  const std::string name = info->Name_get();
  const std::string second = info->Parameter_get();
  auto parent = element.Parent_get();
  if (parent && parent->PlugInID_get() == PlugInId && isContainer(parent)) {
    // Inside one of our groups the group's row already names the test.
    return "   " + (second.empty() ? name : second);
  }
  return second.empty() ? name : name + " - " + second;
}

ListItem* XResultView::AddTestElement(const std::shared_ptr<host_api::ITestElement>& element,
                                      std::optional<int32_t> counter, const std::string& name,
                                      const std::string& leadCounter, bool checkKey, bool noAdd) {
  if (!element) return nullptr;
  const int32_t id = element->ID_get();
  const std::string key = RowKey(id, counter, leadCounter);
  if (int32_t at = m_list.indexOf(key); at >= 0) return &m_list.item(static_cast<size_t>(at));
  if (noAdd) return nullptr;
  if (counter && checkKey && m_list.indexOf(RowKey(id)) < 0) return nullptr;
  ListItem* item = nullptr;
  if (!counter) {
    item = &m_list.addItem(key, rowText(*element));
  } else {
    item = &insertSubRow(*element, key, (leadCounter.empty() ? ModuleIndent : LeadIndent) + name);
  }
  auto info = element->Info_get();
  item->toolTip = info ? info->Name_get() : std::string();
  item->data = element;
  item->bold = isContainer(element);
  return item;
}

// A module row goes after the rows its element has so far, a lead row after its module's, so
// that rows added while a run goes on stay below their element.
ListItem& XResultView::insertSubRow(const host_api::ITestElement& element, const std::string& key,
                                    const std::string& text) {
  const std::string elementKey = RowKey(element.ID_get());
  const auto leadAt = key.find("::", elementKey.size());
  const std::string moduleKey = leadAt == std::string::npos ? "" : key.substr(0, leadAt);
  int32_t afterElement = -1, afterModule = -1;
  const auto& items = m_list.items();
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string& k = items[i].key;
    if (k == elementKey || startsWith(k, SubRowPrefix(element.ID_get()))) {
      afterElement = static_cast<int32_t>(i);
    }
    if (!moduleKey.empty() && (k == moduleKey || startsWith(k, moduleKey + "::"))) {
      afterModule = static_cast<int32_t>(i);
    }
  }
  const int32_t after = afterModule >= 0 ? afterModule : afterElement;
  if (after < 0) return m_list.addItem(key, text);
  return m_list.insertItem(static_cast<size_t>(after) + 1, key, text);
}

void XResultView::AddResult(const std::shared_ptr<host_api::ITestElement>& element) {
  MErrorConvention::GuardedReporting(Source, {}, [&] {
    ListItem* row = AddTestElement(element);
    if (!row) return;
    auto result = element->Result_get();
    const bool hasReadings = result && result->MeasurementCount_get() > 0;
    if (!hasReadings || statusOf(result.get()) == host_api::ResultStatus::NoVerdict) {
      showNoReading(*row, result.get());
      return;
    }
    auto autoTest = std::dynamic_pointer_cast<IAutoTest>(element);
    const bool moduleRows = autoTest && autoTest->RequireModules_get() && m_setup &&
                            m_setup->Count_get() > 0 && HasModuleReadings(*result);
    // Below module rows the element row shows where the sequence began; else its latest reading.
    const int32_t index = moduleRows ? 1 : result->MeasurementCount_get();
    showReading(*row, result.get(), result->Measurement_get(platform::Variant(index)), false);
    if (moduleRows) addModuleRows(element, *result, AllLeadsMode(element));
  });
  if (auto* form = m_list.form()) form->refresh();
}

void XResultView::showNoReading(ListItem& item, const host_api::IResultData* result) {
  const auto status = statusOf(result);
  const bool noVerdict = status == host_api::ResultStatus::NoVerdict;
  item.setSubItem(ColModule, " ");
  item.setSubItem(ColValue, noVerdict ? m_notApplicable : " ");
  item.setSubItem(ColHigh, " ");
  item.setSubItem(ColLow, " ");
  item.cell(ColValue) = {};
  const bool failed = result && (!status || status == host_api::ResultStatus::Failed);
  item.foreColor = failed ? ColourFailed : ColourNormal;
}

void XResultView::showReading(ListItem& item, const host_api::IResultData* result,
                              const std::shared_ptr<host_api::IMeasurement>& m, bool leadRow) {
  if (!m) {
    showNoReading(item, result);
    return;
  }
  auto module = m_setup ? m_setup->Item(0, ParseReadingKey(m->Key_get()).module) : nullptr;
  const std::string moduleName = module ? module->Code_get() : std::string();
  item.setSubItem(ColModule, leadRow ? std::string() : moduleName);
  item.cell(ColModule).toolTip = moduleName;
  const std::string value = ValueText(*m);
  item.setSubItem(ColValue, value);
  item.cell(ColValue).toolTip = IsOverflow(*m) ? translate("20344::Overflow") : value;
  item.cell(ColValue).data = m;
  ShowLimitsInRow(item);
  // A status that cannot be read shows as failed: a row must never look passed by accident.
  bool failed = true;
  try {
    failed = m->Status_get() == host_api::ResultStatus::Failed;
  } catch (...) {
  }
  // The element's own row stands for the whole result, whichever reading it shows.
  if (result && item.key.find('@') == std::string::npos) {
    const auto status = statusOf(result);
    failed = failed || !status || status == host_api::ResultStatus::Failed;
  }
  item.foreColor = failed ? ColourFailed : ColourNormal;
}

void XResultView::addModuleRows(const std::shared_ptr<host_api::ITestElement>& element,
                                const host_api::IResultData& result, bool allLeads) {
  const auto filter = ModuleFilterOf(element);
  for (const auto& entry : m_setup->NewEnum()) {
    if (auto group = std::dynamic_pointer_cast<CModuleGroup>(entry)) {
      for (const auto& member : group->NewEnum()) {
        if (!filter || member->ApplyFilter(filter.get())) {
          addModuleRow(element, result, *member, group->ModuleID_get(), allLeads);
        }
      }
    } else if (entry && (!filter || entry->ApplyFilter(filter.get()))) {
      addModuleRow(element, result, *entry, entry->ModuleID_get(), allLeads);
    }
  }
}

// A module the result holds no reading of (a class the test does not measure) gets no row.
void XResultView::addModuleRow(const std::shared_ptr<host_api::ITestElement>& element,
                               const host_api::IResultData& result, const CModuleEntry& module,
                               int32_t prefixId, bool allLeads) {
  const int32_t id = module.ModuleID_get();
  auto reading = ModuleReading(result, id);
  if (!reading) return;
  ListItem* row = AddTestElement(element, id, module.Code_get());
  if (!row) return;
  showReading(*row, &result, reading, false);
  const int32_t type = element->TestID_get();
  if (!allLeads || !IsPerLeadType(type) || module.Leads_get() < 2) return;
  if (!HasLeadReadings(result, id)) return;
  if (IsLeadAgainstOthersType(type)) {
    AddAuxAppliedParts(element, result, module, prefixId);
  } else {
    AddAllLeads(element, result, module, prefixId);
  }
}

void XResultView::AddAllLeads(const std::shared_ptr<host_api::ITestElement>& element,
                              const host_api::IResultData& result, const CModuleEntry& module,
                              int32_t prefixId) {
  const int32_t id = module.ModuleID_get();
  for (int32_t position = 1; position <= module.Leads_get(); ++position) {
    const std::string lead = LeadPart(prefixId, position);
    const std::string name = MModuleUtils::LeadDisplayName(module.FirstLead_get() + position - 1);
    if (ListItem* row = AddTestElement(element, id, name, lead)) {
      showReading(*row, &result, LeadReading(result, id, lead), true);
    }
  }
}

void XResultView::AddAuxAppliedParts(const std::shared_ptr<host_api::ITestElement>& element,
                                     const host_api::IResultData& result,
                                     const CModuleEntry& module, int32_t prefixId) {
  const int32_t id = module.ModuleID_get();
  const int32_t entries = m_setup ? m_setup->Count_get() : 1;
  const int32_t positions = LeadAgainstOthersPositions(module.Leads_get(), entries);
  for (int32_t position = 1; position <= positions; ++position) {
    const std::string lead = LeadPart(prefixId, position);
    const std::string name = LeadAgainstOthersName(module, position, entries);
    if (ListItem* row = AddTestElement(element, id, name, lead)) {
      showReading(*row, &result, LeadReading(result, id, lead), true);
    }
  }
}

std::shared_ptr<host_api::ILimitStandard> XResultView::selectedStandard(
    const host_api::ITestElement& element) const {
  auto limits = const_cast<host_api::ITestElement&>(element).Limits_get();
  auto standards = limits ? limits->Standards_get() : nullptr;
  if (!standards || m_firstStandard.empty()) return nullptr;
  for (int32_t i = 1; i <= standards->Count(); ++i) {
    auto standard = standards->Item(i);
    if (!standard || standard->ClassName_get() != m_secondStandard) continue;
    // The first name is the standard's id or its name, with or without the class.
    const std::string name = standard->Name_get();
    if (m_firstStandard == std::to_string(standard->StandardID_get()) || m_firstStandard == name ||
        m_firstStandard + " " + m_secondStandard == name) {
      return standard;
    }
  }
  return nullptr;
}

void XResultView::ShowLimitsInRow(ListItem& item) {
  auto element = rowElement(item);
  auto m = rowReading(item);
  auto standard = element && m ? selectedStandard(*element) : nullptr;
  if (!standard) {
    item.setSubItem(ColHigh, " ");
    item.setSubItem(ColLow, " ");
    item.cell(ColHigh).toolTip.clear();
    item.cell(ColLow).toolTip.clear();
    return;
  }
  const RowLimits limits = LimitsFor(*standard, m->LimitKey_get());
  item.setSubItem(ColHigh, LimitText(limits.high, *m));
  item.setSubItem(ColLow, LimitText(limits.low, *m));
  item.cell(ColHigh).toolTip = standard->Name_get();
  item.cell(ColLow).toolTip = standard->Name_get();
}

void XResultView::SelectStandard(const std::string& first, const std::string& second) {
  m_firstStandard = first;
  m_secondStandard = second;
  MErrorConvention::GuardedReporting(Source, {}, [&] {
    for (size_t i = 0; i < m_list.items().size(); ++i) ShowLimitsInRow(m_list.item(i));
  });
  if (auto* form = m_list.form()) form->refresh();
}

void XResultView::HighlightTestElement(const std::shared_ptr<host_api::ITestElement>& element) {
  MErrorConvention::GuardedReporting(Source, {}, [&] {
    if (!element) return;
    int32_t at = m_list.indexOf(RowKey(element->ID_get()));
    if (at < 0) return;
    auto result = element->Result_get();
    const int32_t count = result ? result->MeasurementCount_get() : 0;
    auto latest = count > 0 ? result->Measurement_get(platform::Variant(count)) : nullptr;
    const ReadingKey key = latest ? ParseReadingKey(latest->Key_get()) : ReadingKey{};
    auto config = MModuleFilters::EnclosingGroupConfiguration(element);
    const bool separately =
        config && config->Modules_get() && config->Modules_get()->TestSeparately_get();
    if (key.module > 0 && (IsPerLeadType(element->TestID_get()) || separately)) {
      at = highlightedRow(element, key, at);
    } else {
      at = belowRow(element->ID_get(), key.module, at);
    }
    m_list.SelectedIndex_let(at);
    m_list.EnsureVisible(at);
  });
}

// The module or lead row the latest reading belongs to, added when it is not listed yet.
int32_t XResultView::highlightedRow(const std::shared_ptr<host_api::ITestElement>& element,
                                    const ReadingKey& key, int32_t elementRow) {
  auto module = m_setup ? m_setup->Item(0, key.module) : nullptr;
  std::string name = module ? module->Code_get() : std::to_string(key.module);
  if (!key.lead.empty()) {
    const int32_t position = module ? LeadPosition(*module, key.lead) : 0;
    name = module && IsLeadAgainstOthersType(element->TestID_get())
               ? LeadAgainstOthersName(*module, position, m_setup->Count_get())
               : MModuleUtils::LeadDisplayName(module ? module->FirstLead_get() + position - 1 : 0);
  }
  ListItem* row = AddTestElement(element, key.module, name, key.lead, true);
  return row ? m_list.indexOf(row->key) : elementRow;
}

// Without a lead layout: the module row of the latest reading among the rows right below the
// element's, else the element's own row.
int32_t XResultView::belowRow(int32_t elementId, int32_t module, int32_t elementRow) const {
  const std::string prefix = SubRowPrefix(elementId);
  const auto& items = m_list.items();
  for (size_t i = static_cast<size_t>(elementRow) + 1; i < items.size(); ++i) {
    if (!startsWith(items[i].key, prefix)) break;
    const bool subRow =
        startsWith(items[i].text, LeadIndent) || startsWith(items[i].text, ModuleIndent);
    if (subRow && module > 0 && items[i].key == RowKey(elementId, module)) {
      return static_cast<int32_t>(i);
    }
  }
  return elementRow;
}

void XResultView::ShowResults(const std::shared_ptr<host_api::ITestElement>& root,
                              const std::shared_ptr<CModuleSetup>& setup) {
  MErrorConvention::GuardedReporting(Source, {}, [&] {
    if (!m_setup) m_setup = setup;
    showResultsOf(root, setup);
  });
  if (auto* form = m_list.form()) form->refresh();
}

void XResultView::showResultsOf(const std::shared_ptr<host_api::ITestElement>& element,
                                const std::shared_ptr<CModuleSetup>& setup) {
  if (!element) return;
  if (std::dynamic_pointer_cast<IAutoTest>(element)) {
    if (!MModuleFilters::HasFilteredModule(element, setup.get()) ||
        !MModuleFilters::ModulesSuitTest(*element, setup.get())) {
      return;  // the device has no module this test measures
    }
  }
  AddResult(element);
  auto container = std::dynamic_pointer_cast<host_api::ITestContainer>(element);
  if (!container) return;
  for (const auto& child : container->NewEnum()) {
    if (child && child->PlugInID_get() == PlugInId) showResultsOf(child, setup);
  }
}

}  // namespace plugin
