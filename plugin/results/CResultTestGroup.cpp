#include "plugin/results/CResultTestGroup.h"

#include "host_api/HostServices.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/results/CResultData.h"
#include "plugin/results/MReadingOrder.h"
#include "plugin/results/MResultModuleSetup.h"
#include "plugin/results/MResultReport.h"

namespace plugin {

namespace {

using host_api::ResultStatus::Failed;
using host_api::ResultStatus::None;
using host_api::ResultStatus::NoVerdict;
using host_api::ResultStatus::Passed;

using MPlugInErrors::errNotAResultItem;
constexpr const char* ElementName = "ResultItem";
constexpr const char* DialogControl = "OrvelTRX440.XResultModuleSetup";
constexpr const char* GroupText = "20851::Test Group";
constexpr const char* GroupKey = "::ST";
// Resistance tests directly under a protective-earth group are complete once they ran, even
// when a member of the group is still without a result.
constexpr int32_t ResistanceGroupId = 100;
constexpr int32_t FirstResistanceTest = 300;
constexpr int32_t LastResistanceTest = 799;

std::string source() { return MErrorConvention::ProgID(CResultTestGroup::ClassName); }

std::string translate(const std::string& text) {
  return host_api::hostServices().application->Translate(PlugInId, text);
}

// Members without a filter count: a failure is never hidden for want of one.
bool counts(const host_api::ITestElement& member) {
  auto filter = member.Filter_get();
  return !filter || filter->Counts_get();
}

bool isResistanceUnderGroup(const host_api::ITestElement& member) {
  const int32_t id = member.TestID_get();
  if (id < FirstResistanceTest || id > LastResistanceTest || id == 1900) return false;
  auto parent = member.Parent_get();
  return parent && parent->TestID_get() == ResistanceGroupId;
}

}  // namespace

CResultTestGroup::CResultTestGroup() = default;
CResultTestGroup::~CResultTestGroup() = default;

bool CResultTestGroup::HasDialog_get() const { return !m_comment.empty() || m_moduleSetup; }

std::shared_ptr<host_api::IMeasurement> CResultTestGroup::Measurement_get(
    const platform::Variant&) const {
  return m_summary;
}

void CResultTestGroup::Clear() {
  m_summary.reset();
  m_status = None;
}

void CResultTestGroup::CollectMemberResults(
    const std::shared_ptr<host_api::ITestContainer>& container,
    const host_api::IStandards* selected, const AbortQuery& aborted) {
  if (!container) return;
  if (!m_summary) {
    m_summary = std::make_shared<CMeasurement>();
    m_summary->Init(GroupKey, translate(GroupText), 0, nullptr, {}, false);
  }
  collectSummary(*container);
  m_status = rollUpStatus(*container, aborted && aborted());
  if (m_summaryMode == 0 || (m_status != Passed && m_status != Failed)) {
    m_summary.reset();
    return;
  }
  judgeSummary(container, selected);
}

void CResultTestGroup::collectSummary(const host_api::ITestContainer& container) {
  bool first = true;
  for (const auto& member : container.NewEnum()) {
    if (!member) continue;
    if (auto result = member->Result_get()) offer(*result, first);
  }
}

// The member's reading becomes the summary when it is the first, or beyond the summary in the
// direction of the summary mode.
void CResultTestGroup::offer(const host_api::IResultData& result, bool& first) {
  const auto* data = dynamic_cast<const CResultData*>(&result);
  std::shared_ptr<host_api::IMeasurement> offered;
  if (data) {
    if (m_summaryMode == SummaryGreatest) offered = data->MaxMeasurement();
    if (m_summaryMode == SummarySmallest) offered = data->MinMeasurement();
  } else {
    offered = result.Measurement_get(platform::Variant(1));
  }
  if (!offered) return;
  const auto* reading = dynamic_cast<const CMeasurement*>(offered.get());
  const platform::Variant value = reading ? reading->StoredValue() : offered->Value_get();
  const int order = MReadingOrder::Compare(value, m_summary->StoredValue());
  const bool taken = first || (m_summaryMode == SummaryGreatest && order > 0) ||
                     (m_summaryMode == SummarySmallest && order < 0);
  first = false;
  if (!taken) return;
  const std::string key = data && reading ? "::" + std::to_string(reading->KeyModuleNumber_get()) +
                                                reading->LimitKey_get()
                                          : std::string(GroupKey);
  m_summary->Init(key, translate(GroupText), 0, offered.get(), {}, false);
}

int32_t CResultTestGroup::rollUpStatus(const host_api::ITestContainer& container,
                                       bool aborted) const {
  int32_t status = Passed;
  bool incomplete = false;
  bool noVerdict = true;
  for (const auto& member : container.NewEnum()) {
    auto result = member ? member->Result_get() : nullptr;
    if (!result) continue;
    const int32_t memberStatus = result->Status_get();
    const auto* data = dynamic_cast<const CResultData*>(result.get());
    // A plug-in result hidden from the operator does not keep the group open.
    if (memberStatus == None && (!data || data->TestVisible_get())) incomplete = true;
    if (memberStatus != NoVerdict) {
      noVerdict = false;
      if (counts(*member) && memberStatus == Failed) status = Failed;
    }
    if (!aborted && isResistanceUnderGroup(*member)) incomplete = false;
    if (aborted) incomplete = true;
  }
  if (incomplete) return None;
  if (noVerdict) return aborted ? None : NoVerdict;
  return status;
}

void CResultTestGroup::judgeSummary(const std::shared_ptr<host_api::ITestContainer>& container,
                                    const host_api::IStandards* selected) {
  // The group element is the container of its members; its own limits judge the summary.
  auto group = std::dynamic_pointer_cast<host_api::ITestElement>(container);
  auto limits = group ? group->Limits_get() : nullptr;
  m_summary->Evaluate(limits.get(), selected);
  if (m_summary->Status_get() == Failed && m_status == Passed) m_status = Failed;
}

std::shared_ptr<host_api::IDialog> CResultTestGroup::CreateDialog() {
  return MErrorConvention::GuardedReporting(source(), {}, [&] {
    return MResultModuleSetup::CreateDialog(DialogControl, shared_from_this());
  });
}

void CResultTestGroup::PrintReport(host_api::IReport* report, const platform::Object*) const {
  if (!report) return;
  const std::string body = m_summary ? m_summary->ReportText(*report) : std::string();
  MResultReport::Print(report, m_moduleSetup.get(), body, true);
}

void CResultTestGroup::Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  const std::string src = source();
  MErrorConvention::GuardedReporting(src, {errNotAResultItem, MPlugInErrors::errResultSave}, [&] {
    if (element.tagName() != ElementName) {
      MErrorConvention::Report(src, errNotAResultItem, MErrorConvention::KindNotice, {ClassName});
    }
    if (auto current = MResultModuleSetup::TakeCurrent()) m_moduleSetup = current;
    Clear();
    for (const auto& child : element.children()) loadChild(element, *child, log);
  });
}

void CResultTestGroup::loadChild(const host_api::IXmlElement& parent,
                                 const host_api::IXmlElement& child, host_api::ILoadLog* log) {
  const std::string name = child.tagName();
  if (name == "Comment") {
    m_comment = child.text();
  } else if (name == "Status") {
    if (auto status = host_api::hostServices().xml->readValue(parent, "Status")) {
      m_status = status->toLong();
    }
  } else if (name == "Measurement") {
    if (!m_summary) m_summary = std::make_shared<CMeasurement>();
    m_summary->Load(child, log);
  } else if (name == "PlugInData") {
    if (auto setup = MResultModuleSetup::Load(child, log)) m_moduleSetup = setup;
  }
}

std::shared_ptr<host_api::IXmlElement> CResultTestGroup::Save(host_api::IXmlElement& owner) const {
  return MErrorConvention::GuardedReporting(
      source(), {errNotAResultItem, MPlugInErrors::errResultSave}, [&] { return saveTo(owner); });
}

std::shared_ptr<host_api::IXmlElement> CResultTestGroup::saveTo(
    host_api::IXmlElement& owner) const {
  auto element = owner.appendNewChild(ElementName);
  if (!element) {
    MErrorConvention::RaiseOwn(source(), MPlugInErrors::errResultSave,
                               MErrorConvention::KindFailure, {ClassName});
  }
  host_api::hostServices().xml->writeValue(*element, "Status", platform::Variant(m_status));
  if (!m_comment.empty()) element->appendNewChild("Comment")->setText(m_comment);
  if (m_summary) m_summary->Save(*element);
  if (m_moduleSetup) MResultModuleSetup::Save(*m_moduleSetup, *element);
  return element;
}

}  // namespace plugin
