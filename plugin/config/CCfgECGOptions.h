#pragma once

#include <cstdint>
#include <memory>

#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace plugin {

// ECG simulation: the waveform the analyzer puts out on its lead posts and for how long.
// Stored as "ECGOptions".
class CCfgECGOptions : public platform::Object {
 public:
  static constexpr const char* Tag = "ECGOptions";

  int32_t Duration_get() const { return m_duration; }
  void Duration_let(int32_t value) { m_duration = value; }
  bool Indefinite_get() const { return m_indefinite; }
  void Indefinite_let(bool value) { m_indefinite = value; }
  int32_t WaveformType_get() const { return m_waveformType; }
  void WaveformType_let(int32_t value) { m_waveformType = value; }

  std::shared_ptr<CCfgECGOptions> Clone() const;
  void Load(const host_api::IXmlElement& element);
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const;

 private:
  int32_t m_duration = 10;
  bool m_indefinite = false;
  int32_t m_waveformType = 0;
};

}  // namespace plugin
