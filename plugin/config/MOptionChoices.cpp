#include "plugin/config/MOptionChoices.h"

#include "driver/TrxTypes.h"

namespace plugin::MOptionChoices {

std::vector<PropertyChoice> MeasType() {
  return {{vti::emt_ACDC, "ACDC"}, {vti::emt_AC, "AC"}, {vti::emt_DC, "DC"}};
}

std::vector<PropertyChoice> TestVoltage() {
  return {{vti::etv_500, "500V"}, {vti::etv_250, "250V"}};
}

std::vector<PropertyChoice> AppliedParts() {
  return {{vti::eap_open, "Open"}, {vti::eap_ground, "Ground"}};
}

std::vector<PropertyChoice> MAPPolarity() {
  return {{vti::eemp_Normal, "Normal"}, {vti::eemp_Reverse, "Reverse"}};
}

std::vector<PropertyChoice> PLConfiguration() {
  return {{vti::eepl_Worst, "Worst"}, {vti::eepl_All, "All"}};
}

std::vector<PropertyChoice> PowerOFFScreen() {
  return {{vti::eepo_After, "After"}, {vti::eepo_before, "Before"}};
}

std::vector<PropertyChoice> WaveformType() {
  return {{vti::ewt_Complex30BPM, "Complex30BPM"},
          {vti::ewt_Complex60BPM, "Complex60BPM"},
          {vti::ewt_Complex120BPM, "Complex120BPM"},
          {vti::ewt_Complex180BPM, "Complex180BPM"},
          {vti::ewt_Complex240BPM, "Complex240BPM"},
          {vti::ewt_Pulse30BPM, "Pulse30BPM"},
          {vti::ewt_Pulse60BPM, "Pulse60BPM"},
          {vti::ewt_Square0125, "Square0125"},
          {vti::ewt_Square2, "Square2"},
          {vti::ewt_Sine10, "Sine10"},
          {vti::ewt_Sine40, "Sine40"},
          {vti::ewt_Sine50, "Sine50"},
          {vti::ewt_Sine60, "Sine60"},
          {vti::ewt_Sine100, "Sine100"},
          {vti::ewt_Triangle2, "Triangle2"},
          {vti::ewt_Vfib, "Vfib"}};
}

}  // namespace plugin::MOptionChoices
