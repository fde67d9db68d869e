#include "plugin/core/MXmlUtils.h"

#include <optional>

#include "platform/NumberFormat.h"

namespace plugin::MXmlUtils {

namespace {
// The leading number of the attribute, or nothing when it is absent, empty or has none.
std::optional<double> leadingNumberOf(const host_api::IXmlElement& element,
                                      const std::string& name) {
  auto text = element.getAttribute(name);
  if (!text || text->empty()) return std::nullopt;
  return platform::leadingNumber(*text);
}
}  // namespace

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
  auto number = leadingNumberOf(element, name);
  return number ? platform::roundToLong(*number) : defaultValue;
}

int32_t ReadTruncatedInteger(const host_api::IXmlElement& element, const std::string& name,
                             int32_t defaultValue) {
  auto number = leadingNumberOf(element, name);
  return number ? platform::truncateToLong(*number) : defaultValue;
}

void WriteNumericBoolean(host_api::IXmlElement& element, const std::string& name, bool value) {
  WriteInteger(element, name, value ? -1 : 0);
}

bool ReadNumericBoolean(const host_api::IXmlElement& element, const std::string& name,
                        bool defaultValue) {
  auto number = leadingNumberOf(element, name);
  return number ? *number != 0 : defaultValue;
}

}  // namespace plugin::MXmlUtils
