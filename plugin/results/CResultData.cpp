#include "plugin/results/CResultData.h"

#include "host_api/HostServices.h"
#include "platform/NumberFormat.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MXmlUtils.h"
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
constexpr const char* DialogControl = "orvelTRX440.XResultModuleSetup";

std::string source() { return MErrorConvention::ProgID(CResultData::ClassName); }

}  // namespace

CResultData::CResultData() = default;
CResultData::~CResultData() = default;

bool CResultData::HasDialog_get() const { return !m_comment.empty() || m_moduleSetup; }

std::shared_ptr<host_api::IMeasurement> CResultData::Measurement_get(
    const platform::Variant& index) const {
  try {
    if (const auto* key = index.get<std::string>()) return m_measurements.Find(*key);
    if (!index.isNumeric()) return nullptr;
    const double position = index.toDouble();
    if (!(position >= 1 && position <= m_measurements.Count())) return nullptr;
    return m_measurements.At(platform::roundToLong(position));
  } catch (const platform::ComError&) {
    return nullptr;  // an index that names no entry gives none
  }
}

void CResultData::AddMeasurement(const std::shared_ptr<CMeasurement>& m,
                                 const std::string& afterKey) {
  if (!m) return;
  if (auto held = m_measurements.Find(m->Key_get())) {
    if (!MReadingOrder::Less(held->StoredValue(), m->StoredValue())) return;
    held->TakeReadingFrom(*m);
    m_measurements.RecomputeExtremes();
  } else {
    // A missing `afterKey` appends: a reading is never dropped for where it was to go.
    m_measurements.Insert(m->Key_get(), m, afterKey);
  }
  rollUpStatus(m->Status_get());
}

void CResultData::rollUpStatus(int32_t added) {
  if (added == Failed) {
    m_status = Failed;
  } else if (m_status == None) {
    m_status = added;
  } else if (m_status == NoVerdict && added == Passed) {
    m_status = Passed;
  }
}

void CResultData::Clear() {
  m_measurements.Clear();
  m_status = None;
  m_mtiid = 0;
}

std::shared_ptr<host_api::IDialog> CResultData::CreateDialog() {
  return MErrorConvention::GuardedReporting(source(), {}, [&] {
    return MResultModuleSetup::CreateDialog(DialogControl, shared_from_this());
  });
}

void CResultData::PrintReport(host_api::IReport* report, const platform::Object*) const {
  if (!report) return;
  std::string body;
  for (const auto& m : m_measurements.Entries()) body += m->ReportText(*report);
  MResultReport::Print(report, m_moduleSetup.get(), body, !m_resultUnit.empty());
}

void CResultData::Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  const std::string src = source();
  MErrorConvention::GuardedReporting(src, {errNotAResultItem, MPlugInErrors::errResultSave}, [&] {
    if (element.tagName() != ElementName) {
      MErrorConvention::Report(src, errNotAResultItem, MErrorConvention::KindNotice, {ClassName});
    }
    if (auto current = MResultModuleSetup::TakeCurrent()) m_moduleSetup = current;
    Clear();
    if (!element.getAttribute("MTI").value_or("").empty()) {
      // An identifier that is no 32-bit number is no instrument the host knows.
      try {
        m_mtiid = MXmlUtils::ReadTruncatedInteger(element, "MTI", 0);
      } catch (const platform::ComError&) {
        if (log) log->Write("The instrument identifier of a result is out of range.");
      }
    }
    for (const auto& child : element.children()) loadChild(element, *child, log);
  });
}

void CResultData::loadChild(const host_api::IXmlElement& parent, const host_api::IXmlElement& child,
                            host_api::ILoadLog* log) {
  const std::string name = child.tagName();
  if (name == "Comment") {
    m_comment = child.text();
  } else if (name == "Status") {
    if (auto status = host_api::hostServices().xml->readValue(parent, "Status")) {
      m_status = status->toLong();
    }
  } else if (name == "Measurement") {
    loadMeasurement(child, log);
  } else if (name == "PlugInData") {
    if (auto setup = MResultModuleSetup::Load(child, log)) m_moduleSetup = setup;
  }
}

// A reading that cannot be read is shown to the operator and skipped; the readings around it
// still load.
void CResultData::loadMeasurement(const host_api::IXmlElement& child, host_api::ILoadLog* log) {
  auto m = std::make_shared<CMeasurement>();
  try {
    m->Load(child, log);
  } catch (const platform::ComError& error) {
    MErrorConvention::ReportError(error, source(), {});
    return;
  }
  if (!m_measurements.Insert(m->Key_get(), m) && log) {
    log->Write("The reading \"" + m->Key_get() + "\" is stored twice; the first one is kept.");
  }
}

std::shared_ptr<host_api::IXmlElement> CResultData::Save(host_api::IXmlElement& owner) const {
  return MErrorConvention::GuardedReporting(
      source(), {errNotAResultItem, MPlugInErrors::errResultSave}, [&] { return saveTo(owner); });
}

std::shared_ptr<host_api::IXmlElement> CResultData::saveTo(host_api::IXmlElement& owner) const {
  auto element = owner.appendNewChild(ElementName);
  if (!element) {
    MErrorConvention::RaiseOwn(source(), MPlugInErrors::errResultSave,
                               MErrorConvention::KindFailure, {ClassName});
  }
  if (m_mtiid != 0) MXmlUtils::WriteInteger(*element, "MTI", m_mtiid);
  host_api::hostServices().xml->writeValue(*element, "Status", platform::Variant(m_status));
  if (!m_comment.empty()) element->appendNewChild("Comment")->setText(m_comment);
  for (const auto& m : m_measurements.Entries()) m->Save(*element);
  if (m_moduleSetup) MResultModuleSetup::Save(*m_moduleSetup, *element);
  return element;
}

}  // namespace plugin
