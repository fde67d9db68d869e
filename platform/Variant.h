#pragma once

#include "platform/PlatformExport.h"

#include <concepts>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <variant>

#include "platform/Object.h"

namespace platform {

// Value kinds, numbered as the host stores them beside a value.
enum class VariantType : int32_t {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Single = 4,
  Double = 5,
  String = 8,
  Object = 9,
  Boolean = 11,
};

// The "no valid data" value, distinct from empty (never set).
struct NullValue {
  bool operator==(const NullValue&) const = default;
};

// An integral type that is neither a Boolean, a character nor one of the stored integer widths:
// counts (size_t, long, unsigned) that callers hand over as they come.
template <typename T>
concept CountType = std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> &&
                    !std::same_as<T, int16_t> && !std::same_as<T, int32_t>;

// A loosely typed value: empty, Null, Boolean, 16- or 32-bit integer, single, double, text or
// object.
class ORVEL_PLATFORM_API Variant {
 public:
  Variant() = default;
  Variant(NullValue v) : m_value(v) {}
  Variant(bool v) : m_value(v) {}
  Variant(int16_t v) : m_value(v) {}
  Variant(int32_t v) : m_value(v) {}
  // A count is a 32-bit integer when it fits and a double beyond (exact up to 2^53), so that
  // Variant(items.size()) neither fails to compile nor wraps.
  template <CountType T>
  Variant(T v) : m_value(countValue(v)) {}
  Variant(float v) : m_value(v) {}
  Variant(double v) : m_value(v) {}
  Variant(const char* v) : m_value(std::string(v)) {}
  Variant(std::string v) : m_value(std::move(v)) {}
  Variant(std::shared_ptr<Object> v) : m_value(std::move(v)) {}

  static Variant null() { return Variant(NullValue{}); }

  VariantType type() const;
  bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
  bool isNull() const { return std::holds_alternative<NullValue>(m_value); }
  bool isNumeric() const;

  // Conversions follow the loose rules callers expect: numbers from text read the leading
  // numeric part (always with "." as the decimal point), Booleans are -1/0 as numbers. A value
  // that cannot convert throws ComError 13; Null as a number or Boolean throws ComError 94.
  bool toBool() const;
  int16_t toInteger() const;  // nearest integer, halves to even; beyond 16 bits ComError 6
  int32_t toLong() const;     // nearest integer, halves to even
  double toDouble() const;
  // Invariant decimal point, "True"/"False" for Booleans, "" for empty and Null.
  std::string toString() const;
  std::shared_ptr<Object> toObject() const;

  template <typename T>
  const T* get() const {
    return std::get_if<T>(&m_value);
  }

  bool operator==(const Variant& other) const;

 private:
  using Value = std::variant<std::monostate, NullValue, bool, int16_t, int32_t, float, double,
                             std::string, std::shared_ptr<Object>>;

  template <typename T>
  static Value countValue(T v) {
    if (std::in_range<int32_t>(v)) return static_cast<int32_t>(v);
    return static_cast<double>(v);
  }

  Value m_value;
};

}  // namespace platform
