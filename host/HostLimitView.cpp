#include "host/HostLimitView.h"

#include "host/MLimitText.h"
#include "platform/ComError.h"
#include "platform/forms/ListView.h"

namespace host {

namespace {

constexpr const char* kList = "lvwLimits";

platform::forms::ListView& listOf(platform::forms::Form& form) {
  return form.get<platform::forms::ListView>(kList);
}

}  // namespace

HostLimitView::HostLimitView() {
  m_form.Caption_let("Limits");
  auto& list = m_form.add<platform::forms::ListView>(kList);
  list.addColumn("Description", "Description", 30);
  list.addColumn("Unit", "Unit", 6);
  list.addColumn("Note", "Note", 12);
  list.addColumn("Limits", "Limits", 40);
}

std::shared_ptr<platform::Object> HostLimitView::create() {
  auto view = std::make_shared<HostLimitView>();
  return std::static_pointer_cast<host_api::ICustomControl>(view);
}

void HostLimitView::CallBack_set(const std::shared_ptr<host_api::ICallback>& callback) {
  m_callback = callback;
}

void HostLimitView::Locked_let(bool locked) {
  m_locked = locked;
  listOf(m_form).Enabled_let(!locked);
}

void HostLimitView::Initialize(const platform::Variant& data) { SetLimitData(data, m_flags); }

void HostLimitView::Refresh() { fillList(); }

void HostLimitView::SetFocus() { m_form.setFocus(listOf(m_form)); }

void HostLimitView::AddRow(const std::string& key, const std::string& description,
                           std::string& unit, const std::string& note) {
  m_rows.push_back({key, description, unit, note});
  fillList();
}

void HostLimitView::ClearRows() {
  m_rows.clear();
  fillList();
}

void HostLimitView::SetLimitData(const platform::Variant& limitData, int32_t flags) {
  std::shared_ptr<host_api::ILimitData> data;
  if (!limitData.isEmpty() && !limitData.isNull()) {
    data = std::dynamic_pointer_cast<host_api::ILimitData>(limitData.toObject());
    if (!data) {
      throw platform::ComError(platform::RuntimeError::TypeMismatch, kProgId,
                               "The limit editor shows limit data only");
    }
  }
  m_limitData = data;
  m_flags = flags;
  fillList();
}

std::vector<std::shared_ptr<host_api::ILimitStandard>> HostLimitView::standards() const {
  std::vector<std::shared_ptr<host_api::ILimitStandard>> result;
  auto all = m_limitData ? m_limitData->Standards_get() : nullptr;
  for (int32_t i = 1; all && i <= all->Count(); ++i) result.push_back(all->Item(i));
  return result;
}

std::string HostLimitView::limitText(const host_api::ILimitStandard& standard,
                                     const std::string& key) {
  auto limits = standard.Limits_get();
  for (int32_t i = 1; limits && i <= limits->Count(); ++i) {
    auto limit = limits->Item(i);
    if (limit->Key_get() != key) continue;
    auto high = MLimitText::formatSingle(limit->High_get());
    auto low = MLimitText::formatSingle(limit->Low_get());
    if (!high.empty() && !low.empty()) return low + " .. " + high;
    if (!high.empty()) return "<= " + high;
    if (!low.empty()) return ">= " + low;
  }
  return {};
}

// One cell for the limits of every standard ("IEC 62353 CF: <= 10; IEC 60601 B: <= 100"), so the
// list keeps its columns whichever standards the limit data holds.
void HostLimitView::fillList() {
  auto& list = listOf(m_form);
  auto shown = standards();
  list.clearItems();
  for (const auto& row : m_rows) {
    std::string limits;
    for (const auto& standard : shown) {
      auto text = limitText(*standard, row.key);
      if (text.empty()) continue;
      limits += (limits.empty() ? "" : "; ") + standard->Name_get() + ": " + text;
    }
    list.addItem(row.key, row.description, {row.unit, row.note, limits});
  }
  m_form.refresh();
}
}  // namespace host
