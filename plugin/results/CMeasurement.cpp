#include "plugin/results/CMeasurement.h"

#include <initializer_list>

#include "driver/TrxTypes.h"
#include "host_api/HostServices.h"
#include "platform/NumberFormat.h"
#include "platform/NumberPattern.h"
#include "platform/TextTools.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MXmlUtils.h"
#include "plugin/limits/MReportStandards.h"
#include "plugin/results/MMeasurementKey.h"

namespace plugin {

namespace {

using host_api::ResultStatus::Failed;
using host_api::ResultStatus::Passed;
using host_api::ValueKind::Numeric;
using host_api::ValueKind::PassFail;
using host_api::ValueKind::Text;

constexpr const char* PassText = "20351::Pass";
constexpr const char* FailText = "20352::Fail";
constexpr const char* OverflowText = "20850::Measurement overflow.";
constexpr float OverflowValue = 99999.0f;
constexpr const char* ResistanceFormat = "0.000";
constexpr const char* ReadingFormat = "##0.0";
// Readings of lead positions are indented below their module in views and reports.
constexpr const char* LeadIndent = "     ";
// Beside the stored value: the kind of the reading and its display format, so that a stored
// result shows its readings as they were taken.
constexpr const char* ValueTypeAttribute = "ValueType";
constexpr const char* FormatAttribute = "Format";

std::string translate(const std::string& text) {
  return host_api::hostServices().application->Translate(PlugInId, text);
}

// Made once: every reading of a stored result loads and saves under it.
const std::string& source() {
  static const std::string progId = MErrorConvention::ProgID(CMeasurement::ClassName);
  return progId;
}

// A text as it may stand in a report row: the row syntax's characters replaced by the report.
// Most texts hold none of them, and the report is not asked for those.
std::string rowText(const host_api::IReport& report, const std::string& text) {
  static constexpr const char* Syntax = "|;{}";
  if (text.find_first_of(Syntax) == std::string::npos) return text;
  return report.ReplaceChars(text, Syntax, " ,()");
}

// One row of the report table: every field after "|", closed by ";".
std::string row(std::initializer_list<std::string> fields) {
  std::string text;
  for (const auto& field : fields) text += "|" + field;
  return text + ";";
}

// The kind of a stored value that was written without one.
int32_t kindOf(const platform::Variant& value) {
  if (value.type() == platform::VariantType::Boolean) return PassFail;
  if (value.type() == platform::VariantType::String) return Text;
  return Numeric;
}

bool isKnownKind(double kind) { return kind == Numeric || kind == PassFail || kind == Text; }

// Display patterns hold digits, the point and group separators only; anything else read from a
// file is dropped rather than kept to fail every later formatting.
bool isPattern(const std::string& pattern) {
  return pattern.find_first_not_of("#0., ") == std::string::npos;
}

}  // namespace

CMeasurement::CMeasurement() = default;
CMeasurement::~CMeasurement() = default;

std::string CMeasurement::LimitKey_get() const { return MMeasurementKey::LimitKeyOf(m_key); }

int32_t CMeasurement::KeyModuleNumber_get() const { return MMeasurementKey::ModuleNumberOf(m_key); }

platform::Variant CMeasurement::Value_get() const {
  if (m_valueType == PassFail) return passFailText();
  return m_value;
}

std::string CMeasurement::passFailText() const {
  bool passed = true;
  try {
    passed = m_value.toBool();
  } catch (const platform::ComError&) {
    // Only a value equal to False reads "Fail"; whether the reading passed is its Status.
  }
  return translate(passed ? PassText : FailText);
}

std::string CMeasurement::ToolTipText_get() const {
  std::string text;
  try {
    for (char c : m_flags) {
      if (c == 'O') text += translate(OverflowText) + " ";
    }
  } catch (...) {
    // A tooltip never fails its view; what was translated stands.
  }
  return platform::trim(text);
}

void CMeasurement::Flags_let(const std::string& flags) {
  m_flags = flags;
  if (flags.find('O') != std::string::npos) m_value = platform::Variant(OverflowValue);
}

void CMeasurement::Init(const std::string& key, const std::string& description, int32_t testCode,
                        const host_api::IMeasurement* src, const std::string& displayText,
                        bool asText) {
  m_key = key;
  m_description = description;
  m_value = platform::Variant(0.0f);
  m_unit.clear();
  m_failedLimitSet.clear();
  m_flags.clear();
  switch (testCode) {
    case 0:
      copyReading(src);
      break;
    case vti::etcProtEarth:
    case vti::etcPPRes:
      m_valueType = displayText == "OL" ? Text : Numeric;
      m_valueFormat = ResistanceFormat;
      break;
    case vti::etcECGTest:
      m_valueType = PassFail;
      m_valueFormat.clear();
      break;
    default:
      m_valueType = asText ? Text : Numeric;
      m_valueFormat = ReadingFormat;
  }
}

void CMeasurement::copyReading(const host_api::IMeasurement* src) {
  m_valueType = src ? src->ValueType_get() : Numeric;
  m_valueFormat = src ? src->ValueFormat_get() : std::string();
  if (!src) return;
  m_flags = src->Flags_get();
  // The value as stored: a pass/fail reading of ours copies its truth value, not its text.
  const auto* own = dynamic_cast<const CMeasurement*>(src);
  m_value = own ? own->m_value : src->Value_get();
  m_unit = src->Unit_get();
}

void CMeasurement::Evaluate(const host_api::ILimitData* limits,
                            const host_api::IStandards* selected) {
  m_status = Passed;
  m_failedLimitSet.clear();
  if (!limits) return;
  // The limit data reads the value as stored (Value_get): "OL" stays the text the limit
  // standards fail on a high limit, never a number that could pass.
  auto failed = limits->FindFailedStandards(this, selected);
  if (!failed || failed->Count() < 1) return;
  m_status = Failed;
  if (auto first = failed->Item(1)) m_failedLimitSet = first->Name_get();
}

void CMeasurement::TakeReadingFrom(const CMeasurement& other) {
  m_value = other.m_value;
  m_status = other.m_status;
  m_flags = other.m_flags;
  m_failedLimitSet = other.m_failedLimitSet;
  m_unit = other.m_unit;
}

std::string CMeasurement::valueText() const {
  if (m_valueType == PassFail) return passFailText();
  if (!m_value.isNumeric()) return m_value.toString();
  try {
    if (const auto* single = m_value.get<float>()) return platform::Format(*single, m_valueFormat);
    return platform::Format(m_value.toDouble(), m_valueFormat);
  } catch (const platform::ComError&) {
    return m_value.toString();  // a pattern the formatter does not know: the plain number
  }
}

std::string CMeasurement::ReportText(const host_api::IReport& report) const {
  std::string result;
  try {
    const int32_t options = report.Options_get();
    if ((options & host_api::ReportOption::FailedOnly) && m_status != Failed) return {};
    // Texts from the operator and the instrument must not break the row syntax.
    auto clean = [&](const std::string& t) { return rowText(report, t); };
    const std::string d = clean("      " + m_description);
    const std::string v = clean(valueText());
    result = row({d, v, clean(m_unit)});
    if (!(options & host_api::ReportOption::LimitColumns)) return result;
    std::string withLimits = limitRows(report, d, v);
    if (!withLimits.empty()) result = withLimits;
  } catch (...) {
    // A report row never fails the report; the rows made so far stand.
  }
  return result;
}

std::string CMeasurement::limitRows(const host_api::IReport& report, const std::string& d,
                                    const std::string& v) const {
  const auto standards = MReportStandards::Standards();
  if (standards.empty()) return {};
  const std::string limitKey = LimitKey_get();
  auto clean = [&](const std::string& t) { return rowText(report, t); };
  auto text = [](const std::optional<float>& limit) {
    return limit ? platform::formatNumber(*limit) : std::string();
  };
  std::string unit = m_unit;
  std::string result;
  for (size_t i = 0; i < standards.size(); ++i) {
    std::string high, low, name;
    bool matches = false;
    try {
      if (const auto& standard = standards[i]) {
        auto limits = standard->Limits_get();
        for (int32_t p = 1; limits && p <= limits->Count() && !matches; ++p) {
          auto limit = limits->Item(p);
          matches = limit && limit->Key_get() == limitKey;
        }
        if (matches) {
          high = text(GetReportLimit(LimitKind::High, *standard, unit));
          low = text(GetReportLimit(LimitKind::Low, *standard, unit));
          name = clean(standard->Name_get());
        }
      }
    } catch (...) {
      // A limit set that cannot be read prints without its limits.
    }
    if (i == 0) {
      result = row({d, v, clean(unit), high, low, name});
    } else if (matches) {
      result = result.find(d) == std::string::npos ? row({d, v, clean(unit), high, low, name})
                                                   : result + row({"", "", "", high, low, name});
    }
  }
  return result;
}

std::optional<float> CMeasurement::GetReportLimit(LimitKind kind,
                                                  const host_api::ILimitStandard& standard,
                                                  std::string& unit) const {
  std::optional<float> taken;
  auto limits = standard.Limits_get();
  if (!limits) return taken;
  const std::string limitKey = LimitKey_get();
  for (int32_t p = 1; p <= limits->Count(); ++p) {
    auto limit = limits->Item(p);
    if (!limit || limit->Key_get() != limitKey) continue;
    const auto value = kind == LimitKind::High ? limit->High_get() : limit->Low_get();
    if (!value) continue;
    if (taken && !(kind == LimitKind::High ? *value < *taken : *value > *taken)) continue;
    taken = value;
    unit = limit->Unit_get().find('%') != std::string::npos ? "%" : m_unit;
  }
  return taken;
}

void CMeasurement::Load(const host_api::IXmlElement& element, host_api::ILoadLog*) {
  const std::string& src = source();
  MErrorConvention::GuardedReporting(src, {MPlugInErrors::errMeasurementLoad}, [&] {
    m_key = element.getAttribute("Key").value_or("");
    if (element.tagName() != ElementName || m_key.empty()) {
      MErrorConvention::RaiseOwn(src, MPlugInErrors::errMeasurementLoad,
                                 MErrorConvention::KindFailure, {ClassName});
    }
    m_flags = element.getAttribute("Flags").value_or("");
    for (const auto& child : element.children()) readChild(element, *child);
  });
}

void CMeasurement::readChild(const host_api::IXmlElement& parent,
                             const host_api::IXmlElement& child) {
  const std::string name = child.tagName();
  if (name == "Description") {
    m_description = child.text();
    // Readings of a lead are shown indented below their module. A description stored with its
    // indent keeps it as it is, so that saving and loading again does not indent it further.
    if (m_key.find('#') != std::string::npos && !m_description.starts_with(LeadIndent)) {
      m_description = LeadIndent + m_description;
    }
  } else if (name == "Value") {
    readValue(parent, child);
  } else if (name == "Unit") {
    m_unit = child.text();
  } else if (name == "Status") {
    if (auto status = host_api::hostServices().xml->readValue(parent, "Status")) {
      m_status = status->toLong();
    }
  }
}

void CMeasurement::readValue(const host_api::IXmlElement& parent,
                             const host_api::IXmlElement& child) {
  auto value = host_api::hostServices().xml->readValue(parent, "Value");
  if (!value) return;
  m_value = *value;
  // The kind and format were added beside the value later; without them (or with ones that make
  // no sense) the kind follows from the value and the value shows in its shortest form.
  const auto kind = platform::leadingNumber(child.getAttribute(ValueTypeAttribute).value_or(""));
  m_valueType = kind && isKnownKind(*kind) ? static_cast<int32_t>(*kind) : kindOf(m_value);
  const std::string format = child.getAttribute(FormatAttribute).value_or("");
  m_valueFormat = isPattern(format) ? format : std::string();
}

std::shared_ptr<host_api::IXmlElement> CMeasurement::Save(host_api::IXmlElement& owner) const {
  const std::string& src = source();
  return MErrorConvention::GuardedReporting(src, {MPlugInErrors::errResultSave}, [&] {
    try {
      return saveTo(owner);
    } catch (const platform::ComError& error) {
      const int32_t n = error.number();
      if (n != MPlugInErrors::errMeasurementSave && n != MPlugInErrors::errResultSave) throw;
      MErrorConvention::RaiseOwn(src, MPlugInErrors::errResultSave, MErrorConvention::KindFailure,
                                 {ClassName});
    }
  });
}

std::shared_ptr<host_api::IXmlElement> CMeasurement::saveTo(host_api::IXmlElement& owner) const {
  auto element = owner.appendNewChild(ElementName);
  if (!element) {
    MErrorConvention::RaiseOwn(source(), MPlugInErrors::errMeasurementSave,
                               MErrorConvention::KindFailure, {ClassName});
  }
  element->setAttribute("Key", m_key);
  if (!m_flags.empty()) element->setAttribute("Flags", m_flags);
  element->appendNewChild("Description")->setText(m_description);
  auto& xml = *host_api::hostServices().xml;
  auto value = xml.writeValue(*element, "Value", m_value);
  MXmlUtils::WriteInteger(*value, ValueTypeAttribute, m_valueType);
  if (!m_valueFormat.empty()) value->setAttribute(FormatAttribute, m_valueFormat);
  if (!m_unit.empty()) element->appendNewChild("Unit")->setText(m_unit);
  xml.writeValue(*element, "Status", platform::Variant(m_status));
  return element;
}

}  // namespace plugin
