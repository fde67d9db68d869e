#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "host_api/ITestElement.h"
#include "host_api/ITestRun.h"

namespace host {

// One run of a template (or of part of it) as the host keeps it: the standards the readings are
// judged against, which elements take part, the status the plug-in reports, the elements
// performed so far and the instruments used.
class HostTestRun : public host_api::ITestRun {
 public:
  using PerformedHandler = std::function<void(const host_api::ITestElement&)>;

  explicit HostTestRun(std::shared_ptr<host_api::IStandards> selectedStandards);

  // Narrows the run to `elements` and everything inside them; without a call every element
  // takes part.
  void Select(const std::vector<std::shared_ptr<host_api::ITestElement>>& elements);
  // Called after each element the plug-in reports as performed (the template runner saves
  // the results there); replaces the previous handler.
  void onPerformed(PerformedHandler handler) { m_onPerformed = std::move(handler); }
  // The elements reported as performed, in order; for comparing identity only.
  const std::vector<const host_api::ITestElement*>& Performed() const { return m_performed; }

  // Selected, and neither it nor a group holding it is disabled by its filter.
  bool MayPerform(const host_api::ITestElement& element) const override;
  bool IsSelected(const host_api::ITestElement& element) const override;
  std::shared_ptr<host_api::IResultData> CurrentResult(
      const host_api::ITestElement& element) const override;
  int32_t Status_get() const override { return m_status; }
  void Status_let(int32_t status) override { m_status = status; }
  void ElementPerformed(const host_api::ITestElement& element) override;
  std::shared_ptr<host_api::IStandards> SelectedStandards_get() const override {
    return m_standards;
  }
  std::vector<std::shared_ptr<host_api::IInstrumentData>> InstrumentData_get() const override {
    return m_instruments;
  }
  // A record already in the list is not added twice.
  void AddInstrumentData(const std::shared_ptr<host_api::IInstrumentData>& data) override;

 private:
  bool selectedItself(const host_api::ITestElement& element) const;

  std::shared_ptr<host_api::IStandards> m_standards;
  // Empty: every element is selected.
  std::optional<std::vector<std::weak_ptr<host_api::ITestElement>>> m_selection;
  int32_t m_status = 0;
  std::vector<const host_api::ITestElement*> m_performed;
  PerformedHandler m_onPerformed;
  std::vector<std::shared_ptr<host_api::IInstrumentData>> m_instruments;
};

}  // namespace host
