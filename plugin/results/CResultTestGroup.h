#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "host_api/IResultData.h"
#include "host_api/IStandards.h"
#include "host_api/ITestContainer.h"
#include "plugin/results/CMeasurement.h"

namespace plugin {

class CModuleSetup;

// The result of a test group: one summary reading that stands for the whole group, the group
// status rolled up from the member elements, the operator's comment and the module setup.
class CResultTestGroup : public host_api::IResultData,
                         public std::enable_shared_from_this<CResultTestGroup> {
 public:
  static constexpr const char* ClassName = "CResultTestGroup";
  // Which member reading becomes the summary.
  static constexpr int32_t SummaryGreatest = 1;
  static constexpr int32_t SummarySmallest = 2;

  // Whether the instrument run was aborted (the driver connection's abort flag). The instrument
  // access layer hands it in; without a connection there is none and the run counts as not
  // aborted.
  using AbortQuery = std::function<bool()>;

  CResultTestGroup();
  ~CResultTestGroup() override;

  // IResultData
  std::string Comment_get() const override { return m_comment; }
  void Comment_let(const std::string& comment) override { m_comment = comment; }
  bool HasDialog_get() const override;
  int32_t Status_get() const override { return m_status; }
  // Always the summary, whatever the index (null when there is none).
  std::shared_ptr<host_api::IMeasurement> Measurement_get(
      const platform::Variant& index) const override;
  int32_t MeasurementCount_get() const override { return 1; }
  std::shared_ptr<platform::Object> ServiceRecord_get() const override { return nullptr; }
  int32_t MTIID_get() const override { return 0; }
  std::shared_ptr<host_api::IDialog> CreateDialog() override;
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;
  void PrintReport(host_api::IReport* report, const platform::Object* setup) const override;

  // Within the plug-in.
  // Rolls the members of `container` (the group element, which is also the container of its
  // members) up into the group status and the summary, judged with the group's own limits and
  // the run's `selected` standards.
  void CollectMemberResults(const std::shared_ptr<host_api::ITestContainer>& container,
                            const host_api::IStandards* selected, const AbortQuery& aborted = {});
  void Clear();
  std::shared_ptr<CMeasurement> Summary_get() const { return m_summary; }
  void Status_let(int32_t status) { m_status = status; }
  int32_t SummaryMode_get() const { return m_summaryMode; }
  void SummaryMode_let(int32_t mode) { m_summaryMode = mode; }
  std::shared_ptr<CModuleSetup> ModuleSetup_get() const { return m_moduleSetup; }
  void ModuleSetup_set(const std::shared_ptr<CModuleSetup>& setup) { m_moduleSetup = setup; }

 private:
  void collectSummary(const host_api::ITestContainer& container);
  void offer(const host_api::IResultData& result, bool& first);
  int32_t rollUpStatus(const host_api::ITestContainer& container, bool aborted) const;
  void judgeSummary(const std::shared_ptr<host_api::ITestContainer>& container,
                    const host_api::IStandards* selected);
  void loadChild(const host_api::IXmlElement& parent, const host_api::IXmlElement& child,
                 host_api::ILoadLog* log);
  std::shared_ptr<host_api::IXmlElement> saveTo(host_api::IXmlElement& owner) const;

  std::shared_ptr<CMeasurement> m_summary;
  std::string m_comment;
  int32_t m_status = 0;
  int32_t m_summaryMode = SummaryGreatest;
  std::shared_ptr<CModuleSetup> m_moduleSetup;
};

}  // namespace plugin
