#include "driver/CPowerConfig.h"

namespace vti {

namespace {

// The device gets power through a closed neutral.
bool isPowered(ETrxPowerConfiguration pc) {
  return pc == epcNC || pc == epcOE || pc == epcNCRM || pc == epcOERM;
}

bool isUnpowered(ETrxPowerConfiguration pc) {
  return pc == epcOff || pc == epcON || pc == epcONRM || pc == epcMainsL1L2 ||
         pc == epcMainsL1Gnd || pc == epcMainsL2Gnd;
}

bool isReversed(ETrxPowerConfiguration pc) {
  return pc == epcONRM || pc == epcNCRM || pc == epcOERM;
}

bool polarityChanges(ETrxPowerConfiguration a, ETrxPowerConfiguration b) {
  return isReversed(a) != isReversed(b);
}

}  // namespace

bool CPowerConfig::WillToggleOn(ETrxPowerConfiguration next) const {
  return isPowered(next) && (isUnpowered(m_power) || polarityChanges(m_power, next));
}

bool CPowerConfig::WillToggleOff(ETrxPowerConfiguration next) const {
  if (isUnpowered(next)) return isPowered(m_power);
  return polarityChanges(m_power, next);
}

}  // namespace vti
