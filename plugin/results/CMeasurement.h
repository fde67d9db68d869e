#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "host_api/ILimitData.h"
#include "host_api/ILimitStandard.h"
#include "host_api/IMeasurement.h"
#include "host_api/IReport.h"
#include "host_api/IStandards.h"
#include "platform/Variant.h"

namespace plugin {

// One reading of a test: a keyed, described value with its unit, display format, kind of value,
// the outcome of its limit check and its overflow marks. The test elements create one per
// reading; the result data keeps them in order, stores and prints them.
class CMeasurement : public host_api::IMeasurement {
 public:
  static constexpr const char* ClassName = "CMeasurement";
  static constexpr const char* ElementName = "Measurement";
  // Which limit GetReportLimit looks for.
  enum class LimitKind : int32_t { High = 0, Low = 1 };

  CMeasurement();
  ~CMeasurement() override;

  // IMeasurement
  std::string Description_get() const override { return m_description; }
  std::string Key_get() const override { return m_key; }
  std::string LimitKey_get() const override;
  int32_t Status_get() const override { return m_status; }
  std::string Unit_get() const override { return m_unit; }
  // The stored value; a pass/fail reading gives the translated "Pass" or "Fail" instead.
  platform::Variant Value_get() const override;
  platform::Variant PresetValue_get() const override { return {}; }
  int32_t ValueType_get() const override { return m_valueType; }
  std::string ValueFormat_get() const override { return m_valueFormat; }
  std::string Flags_get() const override { return m_flags; }
  std::string ToolTipText_get() const override;
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;

  // Within the plug-in.
  void Description_let(const std::string& description) { m_description = description; }
  // Flags with an "O" (an overflowed quantity) also set the value to 99999, the number every
  // high limit fails.
  void Flags_let(const std::string& flags);
  void Unit_let(const std::string& unit) { m_unit = unit; }
  // The value as stored, whatever its kind (Value_get translates pass/fail readings).
  const platform::Variant& StoredValue() const { return m_value; }
  void Value_let(const platform::Variant& value) { m_value = value; }
  void Status_let(int32_t status) { m_status = status; }
  std::string FailedLimitSet_get() const { return m_failedLimitSet; }
  int32_t KeyModuleNumber_get() const;

  // Resets the record and types it for the instrument test `testCode` (the driver's
  // ETrxTestCode; 0 copies kind, format, flags, value and unit from `source` when given).
  void Init(const std::string& key, const std::string& description, int32_t testCode,
            const host_api::IMeasurement* source, const std::string& displayText, bool asText);

  // Judges the reading against the standards of `limits` selected for the run: Status 2 and
  // FailedLimitSet the name of the first standard it violates, else Status 1.
  void Evaluate(const host_api::ILimitData* limits, const host_api::IStandards* selected);

  // The reading taken over by a greater reading under the same key: value, status, flags,
  // failed limit set and unit go together, so the record never shows a failing value as passed.
  void TakeReadingFrom(const CMeasurement& other);

  // The report rows of this reading (empty when the report asks for failed readings only and it
  // passed). Texts that go into a row are cleared of the row syntax's characters.
  std::string ReportText(const host_api::IReport& report) const;

  // The strictest limit of `kind` that `standard` holds under LimitKey (high: the smallest, low:
  // the greatest; the first of equal values), or nothing. When a limit is taken, `unit` becomes
  // "%" when that limit's unit holds "%", else the record's Unit.
  std::optional<float> GetReportLimit(LimitKind kind, const host_api::ILimitStandard& standard,
                                      std::string& unit) const;

 private:
  void copyReading(const host_api::IMeasurement* source);
  std::string valueText() const;
  std::string passFailText() const;
  std::string limitRows(const host_api::IReport& report, const std::string& d,
                        const std::string& v) const;
  void readChild(const host_api::IXmlElement& parent, const host_api::IXmlElement& child);
  void readValue(const host_api::IXmlElement& parent, const host_api::IXmlElement& child);
  std::shared_ptr<host_api::IXmlElement> saveTo(host_api::IXmlElement& owner) const;

  std::string m_key;
  std::string m_description;
  platform::Variant m_value;
  int32_t m_valueType = host_api::ValueKind::Numeric;
  int32_t m_status = 0;
  std::string m_unit;
  std::string m_flags;
  std::string m_failedLimitSet;
  std::string m_valueFormat;
};

}  // namespace plugin
