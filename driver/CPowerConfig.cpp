#include "driver/CPowerConfig.h"

namespace vti {

namespace {

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

bool CPowerConfig::IsPowered(ETrxPowerConfiguration pc) {
  return pc == epcNC || pc == epcOE || pc == epcNCRM || pc == epcOERM;
}

bool CPowerConfig::WillToggleOn(ETrxPowerConfiguration next) const {
  return IsPowered(next) && (isUnpowered(m_power) || polarityChanges(m_power, next));
}

bool CPowerConfig::WillToggleOff(ETrxPowerConfiguration next) const {
  if (isUnpowered(next)) return IsPowered(m_power);
  return polarityChanges(m_power, next);
}

}  // namespace vti
