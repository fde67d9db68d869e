#include "driver/CTrxTestOptions.h"

#include <array>

namespace vti {

std::string CTrxTestOptions::SetWaveformCmd() const {
  // Indexed by EWaveformType.
  static constexpr std::array<const char*, 16> kCommands = {
      "CPL30", "CPL60", "CPL120", "CPL180", "CPL240", "PLS30", "PLS60", "SQ125",
      "SQ2",   "SN10",  "SN40",   "SN50",   "SN60",   "SN100", "TR2",   "VFIB",
  };
  int32_t index = m_waveformType;
  if (index < 0 || index >= static_cast<int32_t>(kCommands.size())) return {};
  return kCommands[static_cast<size_t>(index)];
}

}  // namespace vti
