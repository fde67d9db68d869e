#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "platform/Object.h"

namespace platform {

// Value kinds, numbered as the host stores them beside a value.
enum class VariantType : int32_t {
  Empty = 0,
  Long = 3,
  Single = 4,
  Double = 5,
  String = 8,
  Object = 9,
  Boolean = 11,
};

// A loosely typed value: empty, Boolean, 32-bit integer, single, double, text or object.
class ORVEL_PLATFORM_API Variant {
 public:
  Variant() = default;
  Variant(bool v) : m_value(v) {}
  Variant(int32_t v) : m_value(v) {}
  Variant(float v) : m_value(v) {}
  Variant(double v) : m_value(v) {}
  Variant(const char* v) : m_value(std::string(v)) {}
  Variant(std::string v) : m_value(std::move(v)) {}
  Variant(std::shared_ptr<Object> v) : m_value(std::move(v)) {}

  VariantType type() const;
  bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
  bool isNumeric() const;

  // Conversions follow the loose rules callers expect: numbers from text read the leading
  // numeric part, Booleans are -1/0 as numbers. A value that cannot convert throws ComError 13.
  bool toBool() const;
  int32_t toLong() const;  // nearest integer, halves to even
  double toDouble() const;
  std::string toString() const;  // invariant decimal point, "True"/"False" for Booleans
  std::shared_ptr<Object> toObject() const;

  template <typename T>
  const T* get() const {
    return std::get_if<T>(&m_value);
  }

  bool operator==(const Variant& other) const;

 private:
  std::variant<std::monostate, bool, int32_t, float, double, std::string, std::shared_ptr<Object>>
      m_value;
};

}  // namespace platform
