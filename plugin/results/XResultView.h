#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "host_api/IResultData.h"
#include "host_api/ITestElement.h"
#include "platform/forms/Event.h"
#include "platform/forms/ListView.h"
#include "plugin/results/MResultRows.h"

namespace plugin {

class CModuleEntry;
class CModuleSetup;

// The result list of the test guide: one row per test element with the reading it stands for,
// rows per module and per lead below a multi test, each with module, value, high and low limit,
// red when the reading failed. The list control lives on the hosting form ("lvwResult"); this
// class fills it.
//
// Every row carries its element (ListItem::data, a std::shared_ptr<host_api::ITestElement>) and
// the value cell the reading shown (ListCell::data, a std::shared_ptr<host_api::IMeasurement>),
// so that the limit cells can be refreshed when another standard is chosen.
class XResultView {
 public:
  static constexpr const char* ListName = "lvwResult";

  // Builds the columns (the list is hidden while they are made) and translates their titles.
  explicit XResultView(platform::forms::ListView& list);
  // The list's events call back into the view: it stays where it was made.
  XResultView(const XResultView&) = delete;
  XResultView& operator=(const XResultView&) = delete;

  // The module setup whose modules the rows name.
  void Initialize(const std::shared_ptr<CModuleSetup>& setup);
  void Clear();

  // Finds the row of `element` (with a module counter, and a lead counter below it), or adds
  // it. `name` is the text of a module or lead row. `checkKey`: add a module or lead row only
  // when the element's own row is listed; `noAdd`: only find. Null when no row is found or
  // added.
  platform::forms::ListItem* AddTestElement(const std::shared_ptr<host_api::ITestElement>& element,
                                            std::optional<int32_t> counter = std::nullopt,
                                            const std::string& name = {},
                                            const std::string& leadCounter = {},
                                            bool checkKey = false, bool noAdd = false);
  // The element's row with its reading, and the rows of its modules and leads.
  void AddResult(const std::shared_ptr<host_api::ITestElement>& element);
  // One row per lead of `module` (more than one lead) below its module row.
  void AddAllLeads(const std::shared_ptr<host_api::ITestElement>& element,
                   const host_api::IResultData& result, const CModuleEntry& module,
                   int32_t prefixId);
  // The lead-against-others rows of `module` (tests 1300-1399).
  void AddAuxAppliedParts(const std::shared_ptr<host_api::ITestElement>& element,
                          const host_api::IResultData& result, const CModuleEntry& module,
                          int32_t prefixId);
  // Adds `root` and, for a group, its members of this plug-in, each when it applies to `setup`.
  void ShowResults(const std::shared_ptr<host_api::ITestElement>& root,
                   const std::shared_ptr<CModuleSetup>& setup);
  // The limit standard whose limits the rows show: a standard id (or name) and a class name.
  void SelectStandard(const std::string& first, const std::string& second);
  void ShowLimitsInRow(platform::forms::ListItem& item);
  // Selects and scrolls to the row of the element that runs now.
  void HighlightTestElement(const std::shared_ptr<host_api::ITestElement>& element);

  // Raised when a mouse button goes down on the list (button, shift, x, y).
  void onMouseDown(std::function<void(int, int, int, int)> handler) {
    m_mouseDown.connect(std::move(handler));
  }

  platform::forms::ListView& List() { return m_list; }
  const std::shared_ptr<CModuleSetup>& ModuleSetup_get() const { return m_setup; }

 private:
  void buildColumns();
  std::string rowText(const host_api::ITestElement& element) const;
  platform::forms::ListItem& insertSubRow(const host_api::ITestElement& element,
                                          const std::string& key, const std::string& text);
  void showReading(platform::forms::ListItem& item, const host_api::IResultData* result,
                   const std::shared_ptr<host_api::IMeasurement>& m, bool leadRow);
  void showNoReading(platform::forms::ListItem& item, const host_api::IResultData* result);
  void addModuleRows(const std::shared_ptr<host_api::ITestElement>& element,
                     const host_api::IResultData& result, bool allLeads);
  void addModuleRow(const std::shared_ptr<host_api::ITestElement>& element,
                    const host_api::IResultData& result, const CModuleEntry& module,
                    int32_t prefixId, bool allLeads);
  std::shared_ptr<host_api::ILimitStandard> selectedStandard(
      const host_api::ITestElement& element) const;
  void showResultsOf(const std::shared_ptr<host_api::ITestElement>& element,
                     const std::shared_ptr<CModuleSetup>& setup);
  int32_t highlightedRow(const std::shared_ptr<host_api::ITestElement>& element,
                         const MResultRows::ReadingKey& key, int32_t elementRow);
  int32_t belowRow(int32_t elementId, int32_t module, int32_t elementRow) const;

  platform::forms::ListView& m_list;
  std::shared_ptr<CModuleSetup> m_setup;
  std::string m_firstStandard;
  std::string m_secondStandard;
  std::string m_notApplicable;
  platform::forms::Event<int, int, int, int> m_mouseDown;
};

}  // namespace plugin
