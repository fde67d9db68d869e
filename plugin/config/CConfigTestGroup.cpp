#include "plugin/config/CConfigTestGroup.h"

#include "platform/NumberFormat.h"
#include "plugin/config/MConfigXml.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MReportTools.h"

namespace plugin {

namespace {
const std::string Source = MErrorConvention::ProgID(CConfigTestGroup::ClassName);
constexpr const char* ValueFilterTag = "ValueFilter";

std::string valueFilterText(int32_t filter) {
  switch (filter) {
    case CConfigTestGroup::ValueFilterMax:
      return "Max";
    case CConfigTestGroup::ValueFilterMin:
      return "Min";
    default:
      return "None";
  }
}

int32_t valueFilterOf(const std::string& text) {
  if (text == "Max") return CConfigTestGroup::ValueFilterMax;
  if (text == "Min") return CConfigTestGroup::ValueFilterMin;
  return CConfigTestGroup::ValueFilterNone;
}

// The title and value of the one configuration row an element of `elementType`
// prints; empty for the types that print none.
struct ReportRow {
  std::string title;
  std::string value;
  bool translateValue = true;
};

ReportRow reportRowFor(int32_t elementType, const CCfgTestOptions& test) {
  switch (elementType) {
    case 300:
      return {"20717::Total Leakage", test.TotalLeakage_get() ? "20002::Yes" : "20003::No"};
    case 800:
      return {"20718::Test Voltage", test.TestVoltage_get() == 1 ? "20756::250V" : "20755::500V"};
    case 900:
    case 1000:
      return {"20767::Applied Parts",
              test.AppliedParts_get() == 1 ? "20769::To ground" : "20768::Open"};
    case CConfigTestGroup::SequenceElementType:
      return {"20791::Polarity Switching Delay",
              platform::formatNumber(test.PolaritySwitchingDelay_get()) + "(s)", false};
    default:
      return {};
  }
}

// A sequence nested in a sequence of this plug-in prints its delay; a sequence
// on its own is configured by the installation's setting, which the report does
// not repeat.
bool printsPolarityDelay(const host_api::ITestElement& owner) {
  auto parent = owner.Parent_get();
  return parent && parent->PlugInID_get() == PlugInId && parent->TestID_get() == owner.TestID_get();
}
}  // namespace

CConfigTestGroup::CConfigTestGroup()
    : m_buttons(std::make_shared<CCfgButtonOptions>()),
      m_modules(std::make_shared<CCfgModuleOptions>()),
      m_test(std::make_shared<CCfgTestOptions>()) {}

void CConfigTestGroup::Owner_set(const std::shared_ptr<host_api::ITestElement>& owner) {
  m_owner = owner;
  applyOwnerRule();
}

void CConfigTestGroup::applyOwnerRule() {
  auto owner = m_owner.lock();
  if (owner && owner->TestID_get() != SequenceElementType) m_test->Optimized_let(false);
}

std::shared_ptr<host_api::IConfigData> CConfigTestGroup::Clone() const {
  return MErrorConvention::Guarded(Source, {}, [&] {
    auto copy = std::make_shared<CConfigTestGroup>();
    copy->m_buttons = m_buttons->Clone();
    copy->m_modules = m_modules->Clone();
    copy->m_test = m_test->Clone();
    copy->m_valueFilter = m_valueFilter;
    return std::shared_ptr<host_api::IConfigData>(copy);
  });
}

std::shared_ptr<host_api::IDialog> CConfigTestGroup::CreateDialog() {
  return MErrorConvention::GuardedReporting(
      Source, {}, [&]() -> std::shared_ptr<host_api::IDialog> {
        MConfigXml::DialogNotAvailable(ClassName, "FConfigTestGroup");
      });
}

void CConfigTestGroup::Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  MErrorConvention::Guarded(Source, {MPlugInErrors::errModuleLoad}, [&] {
    m_buttons = std::make_shared<CCfgButtonOptions>();
    m_modules = std::make_shared<CCfgModuleOptions>();
    m_test = std::make_shared<CCfgTestOptions>();
    m_valueFilter = ValueFilterNone;
    // New test options may be optimized; an owner that cannot run optimized
    // must not get them.
    applyOwnerRule();
    for (const auto& child : element.children()) {
      const std::string name = child->tagName();
      if (name == ValueFilterTag) {
        m_valueFilter = valueFilterOf(child->text());
      } else if (name == CCfgButtonOptions::Tag) {
        m_buttons->Load(*child);
      } else if (name == CCfgModuleOptions::Tag) {
        m_modules->Load(*child, log);
      } else if (name == CCfgTestOptions::Tag) {
        m_test->Load(*child);
      }
    }
  });
}

std::shared_ptr<host_api::IXmlElement> CConfigTestGroup::Save(host_api::IXmlElement& owner) const {
  return MErrorConvention::Guarded(Source, {MPlugInErrors::errConfigSave}, [&] {
    auto element = MConfigXml::AppendPlugInData(owner, ClassName);
    element->appendNewChild(ValueFilterTag)->setText(valueFilterText(m_valueFilter));
    m_buttons->Save(*element);
    m_modules->Save(*element);
    m_test->Save(*element);
    return element;
  });
}

void CConfigTestGroup::PrintReport(host_api::IReport* report) const {
  auto owner = m_owner.lock();
  if (!report || !owner) return;
  MErrorConvention::Guarded(Source, {}, [&] { printRow(*report, *owner); });
}

void CConfigTestGroup::printRow(host_api::IReport& report,
                                const host_api::ITestElement& owner) const {
  const int32_t elementType = owner.TestID_get();
  if (elementType == SequenceElementType && !printsPolarityDelay(owner)) return;
  const ReportRow row = reportRowFor(elementType, *m_test);
  if (row.title.empty()) return;
  const std::string value = row.translateValue ? report.GetText(PlugInId, row.value) : row.value;
  const std::string text = "|      " + report.GetText(PlugInId, row.title) + ":" + value + ";";
  const auto head = MReportTools::ConfigurationHeader(
      report, elementType == SequenceElementType ? MReportTools::ConfigurationWidth::Wide
                                                 : MReportTools::ConfigurationWidth::Normal);
  for (int32_t setting : {10, 0, 1}) report.Setting(setting);
  report.Table(head.layout, head.header, text);
}

CPropertyTable CConfigTestGroup::PropertyTable() {
  CPropertyTable table(Source);
  m_test->DescribeProperties(table);
  m_modules->DescribeProperties(table);
  m_buttons->DescribeProperties(table);
  table.AddChoice(
      "ValueFilter", {{ValueFilterNone, "None"}, {ValueFilterMax, "Max"}, {ValueFilterMin, "Min"}},
      [this] { return m_valueFilter; }, [this](int32_t filter) { m_valueFilter = filter; });
  table.Restrict("Optimized", [this](const platform::Variant& value) -> CPropertyTable::Refusal {
    auto owner = m_owner.lock();
    if (!value.toBool() || !owner || owner->TestID_get() == SequenceElementType) return {};
    return "only a whole test sequence (element type " + std::to_string(SequenceElementType) +
           ") runs optimized, and this one belongs to element type " +
           std::to_string(owner->TestID_get());
  });
  return table;
}

}  // namespace plugin
