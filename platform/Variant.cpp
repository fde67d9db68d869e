#include "platform/Variant.h"

#include <iterator>

#include "platform/ComError.h"
#include "platform/NumberFormat.h"

namespace platform {

namespace {
[[noreturn]] void typeMismatch() {
  throw ComError(RuntimeError::TypeMismatch, "platform", "Type mismatch");
}

[[noreturn]] void invalidUseOfNull() {
  throw ComError(RuntimeError::InvalidUseOfNull, "platform", "Invalid use of Null");
}

double textToDouble(const std::string& text) {
  if (text == "True") return -1;
  if (text == "False") return 0;
  auto n = leadingNumber(text);
  if (!n) typeMismatch();
  return *n;
}
}  // namespace

VariantType Variant::type() const {
  // In the order of the alternatives of Value.
  static constexpr VariantType types[] = {
      VariantType::Empty,   VariantType::Null,   VariantType::Boolean,
      VariantType::Integer, VariantType::Long,   VariantType::Single,
      VariantType::Double,  VariantType::String, VariantType::Object};
  static_assert(std::size(types) == std::variant_size_v<Value>);
  return types[m_value.index()];
}

bool Variant::isNumeric() const {
  auto t = type();
  return t == VariantType::Integer || t == VariantType::Long || t == VariantType::Single ||
         t == VariantType::Double;
}

double Variant::toDouble() const {
  switch (type()) {
    case VariantType::Empty:
      return 0;
    case VariantType::Boolean:
      return *get<bool>() ? -1 : 0;
    case VariantType::Null:
      invalidUseOfNull();
    case VariantType::Integer:
      return *get<int16_t>();
    case VariantType::Long:
      return *get<int32_t>();
    case VariantType::Single:
      return *get<float>();
    case VariantType::Double:
      return *get<double>();
    case VariantType::String:
      return textToDouble(*get<std::string>());
    default:
      typeMismatch();
  }
}

int16_t Variant::toInteger() const {
  if (auto v = get<int16_t>()) return *v;
  return roundToInteger(toDouble());
}

int32_t Variant::toLong() const {
  if (auto v = get<int32_t>()) return *v;
  if (auto v = get<int16_t>()) return *v;
  return roundToLong(toDouble());
}

bool Variant::toBool() const {
  if (auto v = get<bool>()) return *v;
  if (auto s = get<std::string>()) {
    if (*s == "True" || *s == "true") return true;
    if (*s == "False" || *s == "false") return false;
  }
  return toDouble() != 0;
}

std::string Variant::toString() const {
  switch (type()) {
    case VariantType::Empty:
    case VariantType::Null:
      return {};
    case VariantType::Boolean:
      return *get<bool>() ? "True" : "False";
    case VariantType::Integer:
      return formatNumber(*get<int16_t>());
    case VariantType::Long:
      return formatNumber(*get<int32_t>());
    case VariantType::Single:
      return formatNumber(*get<float>());
    case VariantType::Double:
      return formatNumber(*get<double>());
    case VariantType::String:
      return *get<std::string>();
    default:
      typeMismatch();
  }
}

std::shared_ptr<Object> Variant::toObject() const {
  if (auto v = get<std::shared_ptr<Object>>()) return *v;
  if (isEmpty()) return nullptr;
  throw ComError(RuntimeError::ObjectRequired, "platform", "Object required");
}

bool Variant::operator==(const Variant& other) const { return m_value == other.m_value; }

}  // namespace platform
