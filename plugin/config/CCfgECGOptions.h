#pragma once

#include <cstdint>
#include <memory>

#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace plugin {

class CPropertyTable;

// ECG simulation: the waveform the analyzer puts out on its lead posts and for how long.
// Stored as "ECGOptions".
class CCfgECGOptions : public platform::Object {
 public:
  static constexpr const char* Tag = "ECGOptions";
  // Seconds of simulation a user may set: two digits, and at least one second (a stored 0, from
  // records without a duration, is kept as it is).
  static constexpr int32_t MinDuration = 1;
  static constexpr int32_t MaxDuration = 99;

  int32_t Duration_get() const { return m_duration; }
  void Duration_let(int32_t value) { m_duration = value; }
  bool Indefinite_get() const { return m_indefinite; }
  void Indefinite_let(bool value) { m_indefinite = value; }
  int32_t WaveformType_get() const { return m_waveformType; }
  void WaveformType_let(int32_t value) { m_waveformType = value; }

  // Adds the record's settings to `table`, bound to this record, for the host to read and set
  // by name.
  void DescribeProperties(CPropertyTable& table);

  std::shared_ptr<CCfgECGOptions> Clone() const;
  void Load(const host_api::IXmlElement& element);
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const;

 private:
  int32_t m_duration = 10;
  bool m_indefinite = false;
  int32_t m_waveformType = 0;
};

}  // namespace plugin
