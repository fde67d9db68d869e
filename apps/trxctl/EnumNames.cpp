#include "apps/trxctl/EnumNames.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace trxctl::EnumNames {

namespace {

struct Named {
  int32_t value;
  const char* name;
};

const std::vector<Named> kTestCodes{
    {vti::etcMains, "etcMains"},       {vti::etcProtEarth, "etcProtEarth"},
    {vti::etcIRMains, "etcIRMains"},   {vti::etcIRAppl, "etcIRAppl"},
    {vti::etcIRMap, "etcIRMap"},       {vti::etcIRM2N, "etcIRM2N"},
    {vti::etcIRAppl2N, "etcIRAppl2N"}, {vti::etcEarthLeak, "etcEarthLeak"},
    {vti::etcEnclLeak, "etcEnclLeak"}, {vti::etcPatLeak, "etcPatLeak"},
    {vti::etcPatAux, "etcPatAux"},     {vti::etcMAP, "etcMAP"},
    {vti::etcPPVolt, "etcPPVolt"},     {vti::etcPPRes, "etcPPRes"},
    {vti::etcPPLeak, "etcPPLeak"},     {vti::etcEquipCurr, "etcEquipCurr"},
    {vti::etcAltEquip, "etcAltEquip"}, {vti::etcDiffLeak, "etcDiffLeak"},
    {vti::etcDELeak, "etcDELeak"},     {vti::etcDAPLeak, "etcDAPLeak"},
    {vti::etcAltAppl, "etcAltAppl"},   {vti::etcECGTest, "etcECGTest"},
};

const std::vector<Named> kPowerConfigs{
    {vti::epcOff, "epcOff"},
    {vti::epcON, "epcON"},
    {vti::epcNC, "epcNC"},
    {vti::epcOE, "epcOE"},
    {vti::epcONRM, "epcONRM"},
    {vti::epcNCRM, "epcNCRM"},
    {vti::epcOERM, "epcOERM"},
    {vti::epcMainsL1L2, "epcMainsL1L2"},
    {vti::epcMainsL1Gnd, "epcMainsL1Gnd"},
    {vti::epcMainsL2Gnd, "epcMainsL2Gnd"},
    {vti::epcAccessNC, "epcAccessNC"},
    {vti::epcAccessON, "epcAccessON"},
    {vti::epcAccessOE, "epcAccessOE"},
    {vti::epcAccessNCRM, "epcAccessNCRM"},
    {vti::epcAccessONRM, "epcAccessONRM"},
    {vti::epcAccessOERM, "epcAccessOERM"},
};

const std::vector<Named> kTestStates{
    {vti::etsNotPerformed, "etsNotPerformed"},
    {vti::etsCompleted, "etsCompleted"},
    {vti::etsAborted, "etsAborted"},
    {vti::etsOverflow, "etsOverflow"},
};

bool sameIgnoringCase(const std::string& a, const char* b) {
  std::string_view other(b);
  return a.size() == other.size() &&
         std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<int32_t> parse(const std::vector<Named>& table, const std::string& text) {
  int32_t number = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  bool isNumber = !text.empty() && ec == std::errc() && end == text.data() + text.size();
  for (const Named& entry : table) {
    if (isNumber ? entry.value == number : sameIgnoringCase(text, entry.name)) return entry.value;
  }
  return std::nullopt;
}

std::string name(const std::vector<Named>& table, int32_t value) {
  for (const Named& entry : table) {
    if (entry.value == value) return entry.name;
  }
  return std::to_string(value);
}

}  // namespace

std::optional<vti::ETrxTestCode> parseTestCode(const std::string& text) {
  auto value = parse(kTestCodes, text);
  if (!value) return std::nullopt;
  return static_cast<vti::ETrxTestCode>(*value);
}

std::optional<vti::ETrxPowerConfiguration> parsePowerConfig(const std::string& text) {
  auto value = parse(kPowerConfigs, text);
  if (!value) return std::nullopt;
  return static_cast<vti::ETrxPowerConfiguration>(*value);
}

std::string testCodeName(vti::ETrxTestCode code) { return name(kTestCodes, code); }
std::string powerConfigName(vti::ETrxPowerConfiguration config) {
  return name(kPowerConfigs, config);
}
std::string testStateName(vti::ETrxTestState state) { return name(kTestStates, state); }

}  // namespace trxctl::EnumNames
