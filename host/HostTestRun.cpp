#include "host/HostTestRun.h"

#include <algorithm>

namespace host {

namespace {
// The element and every group holding it, innermost first.
template <typename Visit>
bool anyUpwards(const host_api::ITestElement& element, Visit&& visit) {
  if (visit(element)) return true;
  for (auto parent = element.Parent_get(); parent; parent = parent->Parent_get()) {
    if (visit(*parent)) return true;
  }
  return false;
}

bool disabled(const host_api::ITestElement& element) {
  auto filter = element.Filter_get();
  return filter && !filter->Enabled_get();
}
}  // namespace

HostTestRun::HostTestRun(std::shared_ptr<host_api::IStandards> selectedStandards)
    : m_standards(std::move(selectedStandards)) {}

void HostTestRun::Select(const std::vector<std::shared_ptr<host_api::ITestElement>>& elements) {
  m_selection.emplace(elements.begin(), elements.end());
}

bool HostTestRun::selectedItself(const host_api::ITestElement& element) const {
  return std::any_of(m_selection->begin(), m_selection->end(),
                     [&](const auto& selected) { return selected.lock().get() == &element; });
}

bool HostTestRun::IsSelected(const host_api::ITestElement& element) const {
  if (!m_selection) return true;
  return anyUpwards(element, [this](const auto& e) { return selectedItself(e); });
}

bool HostTestRun::MayPerform(const host_api::ITestElement& element) const {
  return IsSelected(element) && !anyUpwards(element, disabled);
}

std::shared_ptr<host_api::IResultData> HostTestRun::CurrentResult(
    const host_api::ITestElement& element) const {
  return element.Result_get();
}

void HostTestRun::ElementPerformed(const host_api::ITestElement& element) {
  m_performed.push_back(&element);
  if (m_onPerformed) m_onPerformed(element);
}

void HostTestRun::AddInstrumentData(const std::shared_ptr<host_api::IInstrumentData>& data) {
  if (!data || std::find(m_instruments.begin(), m_instruments.end(), data) != m_instruments.end())
    return;
  m_instruments.push_back(data);
}

}  // namespace host
