#include <gtest/gtest.h>

#include "driver/PolaritySwitch.h"

using namespace vti;
using Memory = PolaritySwitch::Memory;

TEST(PolaritySwitch, LeavingTestModeForcesTheNextAnnouncement) {
  const Memory forced{"N", false, true};
  EXPECT_TRUE(PolaritySwitch::PromptDue(forced, epcON, epcONRM, false));
  EXPECT_TRUE(PolaritySwitch::PromptDue(forced, epcOff, epcOff, false));
  const Memory unforced{"N", false, false};
  EXPECT_FALSE(PolaritySwitch::PromptDue(unforced, epcOff, epcOff, false));
}

TEST(PolaritySwitch, OutletGoingOffAnewIsAnnouncedExceptAroundAnOpenNeutral) {
  const Memory stayedOn{"N", false, false};
  EXPECT_TRUE(PolaritySwitch::PromptDue(stayedOn, epcNC, epcNCRM, true));
  EXPECT_FALSE(PolaritySwitch::PromptDue(stayedOn, epcON, epcNCRM, true));
  EXPECT_FALSE(PolaritySwitch::PromptDue(stayedOn, epcNC, epcONRM, true));
  // Nothing changes for the device: no news for the operator.
  EXPECT_FALSE(PolaritySwitch::PromptDue(stayedOn, epcNC, epcNCRM, false));
}

TEST(PolaritySwitch, PoweredDeviceSwitchedOffTwiceInARowIsAnnouncedAgain) {
  const Memory wentOff{"R", true, false};
  EXPECT_TRUE(PolaritySwitch::PromptDue(wentOff, epcNC, epcNCRM, true));
  EXPECT_TRUE(PolaritySwitch::PromptDue(wentOff, epcOERM, epcOE, true));
  // Not when the next configuration leaves the device unpowered, nor out of an open neutral.
  EXPECT_FALSE(PolaritySwitch::PromptDue(wentOff, epcNC, epcOff, true));
  EXPECT_FALSE(PolaritySwitch::PromptDue(wentOff, epcONRM, epcNC, true));
}

TEST(PolaritySwitch, TestsThatNeverSwitchPolarityAreKnownByCode) {
  for (ETrxTestCode code : {etcMains, etcProtEarth, etcIRMains, etcIRAppl2N, etcPPVolt, etcPPRes,
                            etcPPLeak, etcAltEquip, etcAltAppl}) {
    EXPECT_TRUE(PolaritySwitch::KeepsPolarity(code)) << code;
  }
  for (ETrxTestCode code : {etcEarthLeak, etcEnclLeak, etcPatLeak, etcPatAux, etcMAP, etcEquipCurr,
                            etcDiffLeak, etcDELeak, etcDAPLeak, etcECGTest}) {
    EXPECT_FALSE(PolaritySwitch::KeepsPolarity(code)) << code;
  }
}
