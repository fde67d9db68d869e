#include <gtest/gtest.h>

#include "driver/CPowerConfig.h"
#include "driver/CTrxTestOptions.h"

using namespace vti;

TEST(CTrxTestOptions, WaveformCommandsFollowTheWaveform) {
  const std::pair<EWaveformType, const char*> expected[] = {
      {ewt_Complex30BPM, "CPL30"}, {ewt_Complex240BPM, "CPL240"}, {ewt_Pulse60BPM, "PLS60"},
      {ewt_Square0125, "SQ125"},   {ewt_Square2, "SQ2"},          {ewt_Sine10, "SN10"},
      {ewt_Sine100, "SN100"},      {ewt_Triangle2, "TR2"},        {ewt_Vfib, "VFIB"},
  };
  CTrxTestOptions o;
  for (const auto& [waveform, command] : expected) {
    o.WaveformType_let(waveform);
    EXPECT_EQ(o.SetWaveformCmd(), command) << waveform;
  }
  // Values outside the enumeration have no command and leave the ECG instruction empty.
  for (int32_t value : {16, -1, 1000}) {
    o.WaveformType_let(static_cast<EWaveformType>(value));
    EXPECT_EQ(o.SetWaveformCmd(), "") << value;
  }
}

struct ToggleCase {
  ETrxPowerConfiguration from;
  ETrxPowerConfiguration to;
  bool on;
  bool off;
};

class PowerToggle : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(PowerToggle, TellsWhetherTheOutletSwitchesTheDevice) {
  CPowerConfig power;
  power.Power_let(GetParam().from);
  EXPECT_EQ(power.WillToggleOn(GetParam().to), GetParam().on);
  EXPECT_EQ(power.WillToggleOff(GetParam().to), GetParam().off);
}

INSTANTIATE_TEST_SUITE_P(
    Transitions, PowerToggle,
    ::testing::Values(
        ToggleCase{epcOff, epcNC, true, false},
        ToggleCase{epcNC, epcNCRM, true, true},  // reversal: off and on again
        ToggleCase{epcNC, epcOE, false, false}, ToggleCase{epcNC, epcOff, false, true},
        ToggleCase{epcNCRM, epcMainsL1L2, false, true}, ToggleCase{epcON, epcOERM, true, true},
        ToggleCase{epcOff, epcONRM, false, false},  // stays unpowered
        ToggleCase{epcOERM, epcON, false, true}, ToggleCase{epcNC, epcNC, false, false},
        ToggleCase{epcNCRM, epcAccessNC, false, true}));
