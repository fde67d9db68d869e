#include "host/HostLimit.h"

#include "host/MLimitText.h"
#include "platform/ComError.h"
#include "platform/TextTools.h"

namespace host {

namespace {

// Empty (or blank) text means no limit of that kind.
std::optional<float> limitValue(const std::string& text, const std::string& key,
                                const char* which) {
  if (platform::trimmed(text).empty()) return std::nullopt;
  auto value = MLimitText::parseSingle(text);
  if (!value) {
    throw platform::ComError(platform::RuntimeError::TypeMismatch, "Orvel.Limit",
                             std::string("The ") + which + " limit of \"" + key +
                                 "\" is not a number: \"" + text + "\"");
  }
  return value;
}

}  // namespace

void HostLimit::Initialize(const std::string& key, const std::string& unit, const std::string& high,
                           const std::string& low) {
  auto highValue = limitValue(high, key, "high");
  auto lowValue = limitValue(low, key, "low");
  m_key = key;
  m_unit = unit;
  m_high = highValue;
  m_low = lowValue;
}

std::shared_ptr<HostLimit> HostLimit::copyOf(const host_api::ILimit& limit) {
  auto copy = std::make_shared<HostLimit>();
  copy->m_key = limit.Key_get();
  copy->m_unit = limit.Unit_get();
  copy->m_high = limit.High_get();
  copy->m_low = limit.Low_get();
  return copy;
}

}  // namespace host
