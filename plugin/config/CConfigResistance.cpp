#include "plugin/config/CConfigResistance.h"

#include "plugin/config/MConfigXml.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"

namespace plugin {

namespace {
const std::string Source = MErrorConvention::ProgID(CConfigResistance::ClassName);
}

CConfigResistance::CConfigResistance()
    : m_buttons(std::make_shared<CCfgButtonOptions>()),
      m_test(std::make_shared<CCfgResistOptions>()) {}

std::shared_ptr<host_api::IConfigData> CConfigResistance::Clone() const {
  return MErrorConvention::Guarded(Source, {}, [&] {
    auto copy = std::make_shared<CConfigResistance>();
    copy->m_buttons = m_buttons->Clone();
    copy->m_test = m_test->Clone();
    return std::shared_ptr<host_api::IConfigData>(copy);
  });
}

std::shared_ptr<host_api::IDialog> CConfigResistance::CreateDialog() {
  return MErrorConvention::GuardedReporting(
      Source, {}, [&]() -> std::shared_ptr<host_api::IDialog> {
        MConfigXml::DialogNotAvailable(ClassName, "FConfigResistance");
      });
}

void CConfigResistance::Load(const host_api::IXmlElement& element, host_api::ILoadLog*) {
  MErrorConvention::Guarded(Source, {MPlugInErrors::errModuleLoad}, [&] {
    m_buttons = std::make_shared<CCfgButtonOptions>();
    m_test = std::make_shared<CCfgResistOptions>();
    for (const auto& child : element.children()) {
      const std::string name = child->tagName();
      if (name == CCfgButtonOptions::Tag) {
        m_buttons->Load(*child);
      } else if (name == CCfgResistOptions::Tag) {
        m_test->Load(*child);
      }
    }
  });
}

std::shared_ptr<host_api::IXmlElement> CConfigResistance::Save(host_api::IXmlElement& owner) const {
  return MErrorConvention::Guarded(Source, {MPlugInErrors::errConfigSave}, [&] {
    auto element = MConfigXml::AppendPlugInData(owner, ClassName);
    m_buttons->Save(*element);
    m_test->Save(*element);
    return element;
  });
}

CPropertyTable CConfigResistance::PropertyTable() {
  CPropertyTable table(Source);
  m_test->DescribeProperties(table);
  m_buttons->DescribeProperties(table);
  return table;
}

}  // namespace plugin
