#include "host/HostTestGuideConfig.h"

#include "host/MNumberText.h"

namespace host {

namespace {
constexpr const char* kElement = "TestGuideSettings";
}

std::shared_ptr<host_api::ITestGuideConfig> HostTestGuideConfig::Clone() const {
  return std::make_shared<HostTestGuideConfig>(*this);
}

void HostTestGuideConfig::Load(const host_api::IXmlElement& element) {
  auto child = element.tagName() == kElement ? nullptr : element.findChild(kElement);
  const host_api::IXmlElement* source = element.tagName() == kElement ? &element : child.get();
  if (!source) return;
  auto value = MNumberText::parseLong(source->getAttribute("Settings").value_or(""));
  if (value) m_settings = *value;
}

std::shared_ptr<host_api::IXmlElement> HostTestGuideConfig::Save(
    host_api::IXmlElement& owner) const {
  auto element = owner.appendNewChild(kElement);
  element->setAttribute("Settings", std::to_string(m_settings));
  return element;
}

}  // namespace host
