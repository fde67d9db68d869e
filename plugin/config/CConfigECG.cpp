#include "plugin/config/CConfigECG.h"

#include "host_api/HostServices.h"
#include "plugin/config/MConfigXml.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"

namespace plugin {

namespace {
const std::string Source = MErrorConvention::ProgID(CConfigECG::ClassName);
constexpr const char* TestGuideSettingsTag = "TestGuideSettings";

std::shared_ptr<host_api::ITestGuideConfig> newTestGuideConfig() {
  const auto& create = host_api::hostServices().classes.newTestGuideConfig;
  return create ? create() : nullptr;
}
}  // namespace

CConfigECG::CConfigECG()
    : m_ecgOptions(std::make_shared<CCfgECGOptions>()), m_testGuideConfig(newTestGuideConfig()) {}

std::shared_ptr<host_api::IConfigData> CConfigECG::Clone() const {
  return MErrorConvention::Guarded(Source, {}, [&] {
    auto copy = std::make_shared<CConfigECG>();
    copy->m_ecgOptions = m_ecgOptions->Clone();
    copy->m_testGuideConfig = m_testGuideConfig ? m_testGuideConfig->Clone() : nullptr;
    return std::shared_ptr<host_api::IConfigData>(copy);
  });
}

std::shared_ptr<host_api::IDialog> CConfigECG::CreateDialog() {
  return MErrorConvention::GuardedReporting(
      Source, {}, [&]() -> std::shared_ptr<host_api::IDialog> {
        MConfigXml::DialogNotAvailable(ClassName, "FConfigECG");
      });
}

void CConfigECG::Load(const host_api::IXmlElement& element, host_api::ILoadLog*) {
  MErrorConvention::Guarded(Source, {MPlugInErrors::errModuleLoad}, [&] {
    m_ecgOptions = std::make_shared<CCfgECGOptions>();
    m_testGuideConfig = newTestGuideConfig();
    for (const auto& child : element.children()) {
      const std::string name = child->tagName();
      if (name == CCfgECGOptions::Tag) {
        m_ecgOptions->Load(*child);
      } else if (name == TestGuideSettingsTag && m_testGuideConfig) {
        m_testGuideConfig->Load(*child);
      }
    }
  });
}

std::shared_ptr<host_api::IXmlElement> CConfigECG::Save(host_api::IXmlElement& owner) const {
  return MErrorConvention::Guarded(Source, {MPlugInErrors::errConfigSave}, [&] {
    auto element = MConfigXml::AppendPlugInData(owner, ClassName);
    m_ecgOptions->Save(*element);
    if (m_testGuideConfig) m_testGuideConfig->Save(*element);
    return element;
  });
}

CPropertyTable CConfigECG::PropertyTable() {
  CPropertyTable table(Source);
  m_ecgOptions->DescribeProperties(table);
  return table;
}

}  // namespace plugin
