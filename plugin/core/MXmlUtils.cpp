#include "plugin/core/MXmlUtils.h"

#include "platform/NumberFormat.h"

namespace plugin::MXmlUtils {

void WriteBoolean(host_api::IXmlElement& element, const std::string& name, bool value) {
  element.setAttribute(name, value ? "True" : "False");
}

bool ReadBoolean(const host_api::IXmlElement& element, const std::string& name) {
  auto text = element.getAttribute(name);
  if ((!text || text->empty()) && name == "Override") return true;
  return text && *text == "True";
}

void WriteInteger(host_api::IXmlElement& element, const std::string& name, int32_t value) {
  element.setAttribute(name, platform::formatNumber(value));
}

int32_t ReadInteger(const host_api::IXmlElement& element, const std::string& name,
                    int32_t defaultValue) {
  auto text = element.getAttribute(name);
  if (!text || text->empty()) return defaultValue;
  auto number = platform::leadingNumber(*text);
  return number ? platform::roundToLong(*number) : defaultValue;
}

}  // namespace plugin::MXmlUtils
