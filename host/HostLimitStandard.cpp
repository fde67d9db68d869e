#include "host/HostLimitStandard.h"

#include <cmath>

#include "host/HostLimit.h"
#include "host/MNumberText.h"
#include "host/StandardNames.h"
#include "platform/TextTools.h"

namespace host {

namespace {

// The value the instrument reports for a reading beyond its range, as a number.
constexpr float kOverflowValue = 99999.0f;

struct Reading {
  enum class Kind { Number, OverRange, Unreadable };
  Kind kind = Kind::Unreadable;
  float value = 0;
};

Reading numberReading(double number) {
  auto value = static_cast<float>(number);
  if (std::isnan(value)) return {};
  if (value == kOverflowValue) return {Reading::Kind::OverRange, value};
  return {Reading::Kind::Number, value};
}

Reading readingOf(const platform::Variant& value) {
  if (const auto* text = value.get<std::string>()) {
    if (platform::trimmed(*text) == "OL") return {Reading::Kind::OverRange, kOverflowValue};
    auto number = MNumberText::parseSingle(*text);
    return number ? numberReading(*number) : Reading{};
  }
  if (value.isNumeric() || value.get<bool>()) return numberReading(value.toDouble());
  return {};
}

bool failsHigh(const Reading& reading, float high) {
  return reading.kind != Reading::Kind::Number || reading.value > high;
}

bool failsLow(const Reading& reading, float low) {
  if (reading.kind == Reading::Kind::OverRange) return false;
  return reading.kind == Reading::Kind::Unreadable || reading.value < low;
}

}  // namespace

void HostLimitStandard::Initialize(int32_t standardId, const std::string& className, int32_t flag) {
  m_standardId = standardId;
  m_className = className;
  m_flag = flag;
}

std::string HostLimitStandard::standardName(int32_t standardId) {
  return StandardNames::name(standardId).value_or("Standard " + std::to_string(standardId));
}

std::string HostLimitStandard::Name_get() const {
  auto name = standardName(m_standardId);
  return m_className.empty() ? name : name + " " + m_className;
}

void HostLimitStandard::AddLimit(const std::shared_ptr<host_api::ILimit>& limit) {
  m_limits->Add(limit);
}

std::shared_ptr<host_api::ILimitStandard> HostLimitStandard::Copy() const {
  auto copy = std::make_shared<HostLimitStandard>();
  copy->Initialize(m_standardId, m_className, m_flag);
  for (int32_t i = 1; i <= m_limits->Count(); ++i) {
    copy->AddLimit(HostLimit::copyOf(*m_limits->Item(i)));
  }
  return copy;
}

int32_t HostLimitStandard::Evaluate(const std::string& key, const platform::Variant& value) const {
  const Reading reading = readingOf(value);
  for (int32_t i = 1; i <= m_limits->Count(); ++i) {
    auto limit = m_limits->Item(i);
    if (limit->Key_get() != key) continue;
    auto high = limit->High_get();
    auto low = limit->Low_get();
    if ((high && failsHigh(reading, *high)) || (low && failsLow(reading, *low))) {
      return host_api::LimitStatus::Failed;
    }
  }
  return host_api::LimitStatus::Passed;
}

}  // namespace host
