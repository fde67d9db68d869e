#pragma once

#include <cstdint>
#include <memory>

#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace plugin {

class CPropertyTable;

// The protective-earth resistance test: measurement type and whether the test lead's
// calibration is skipped. Stored as "ResOptions".
class CCfgResistOptions : public platform::Object {
 public:
  static constexpr const char* Tag = "ResOptions";

  int32_t MeasType_get() const { return m_measType; }
  void MeasType_let(int32_t value) { m_measType = value; }
  bool SkipCalibration_get() const { return m_skipCalibration; }
  void SkipCalibration_let(bool value) { m_skipCalibration = value; }

  // Adds the record's settings to `table`, bound to this record, for the host to read and set
  // by name.
  void DescribeProperties(CPropertyTable& table);

  std::shared_ptr<CCfgResistOptions> Clone() const;
  void Load(const host_api::IXmlElement& element);
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const;

 private:
  int32_t m_measType = 0;
  bool m_skipCalibration = false;
};

}  // namespace plugin
