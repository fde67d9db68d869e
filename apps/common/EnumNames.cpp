#include "apps/common/EnumNames.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>
#include <utility>
#include <vector>

namespace apps::EnumNames {

namespace {

struct Named {
  int32_t value;
  const char* name;
  const char* words;
  const char* measures = "";  // tests only: what the reading is
};

// The words are the one place where trxctl's names for people live; which configurations a
// test accepts is the driver's to say, never a table here.
const std::vector<Named> kTestCodes{
    {vti::etcMains, "etcMains", "Mains voltage",
     "the supply voltage at the analyzer's mains input"},
    {vti::etcProtEarth, "etcProtEarth", "Protective earth resistance",
     "resistance of the protective earth, from the mains plug's earth pin to the test lead"},
    {vti::etcIRMains, "etcIRMains", "Insulation, mains to earth",
     "insulation resistance from mains live and neutral to protective earth"},
    {vti::etcIRAppl, "etcIRAppl", "Insulation, applied parts to earth",
     "insulation resistance from the applied parts to protective earth"},
    {vti::etcIRMap, "etcIRMap", "Insulation, mains to applied parts",
     "insulation resistance from mains live and neutral to the applied parts"},
    {vti::etcIRM2N, "etcIRM2N", "Insulation, mains to non-earthed parts",
     "insulation resistance from mains to accessible parts that are not earthed"},
    {vti::etcIRAppl2N, "etcIRAppl2N", "Insulation, applied parts to non-earthed parts",
     "insulation resistance from the applied parts to accessible parts that are not earthed"},
    {vti::etcEarthLeak, "etcEarthLeak", "Earth leakage",
     "current flowing in the protective earth conductor"},
    {vti::etcEnclLeak, "etcEnclLeak", "Enclosure leakage",
     "current from the enclosure (touch current) to earth"},
    {vti::etcPatLeak, "etcPatLeak", "Patient leakage", "current from the applied parts to earth"},
    {vti::etcPatAux, "etcPatAux", "Patient auxiliary current",
     "current between one applied-part lead and the others"},
    {vti::etcMAP, "etcMAP", "Mains on applied parts",
     "current from the applied parts with mains voltage applied to them"},
    {vti::etcPPVolt, "etcPPVolt", "Point-to-point voltage", "voltage between two test points"},
    {vti::etcPPRes, "etcPPRes", "Point-to-point resistance", "resistance between two test points"},
    {vti::etcPPLeak, "etcPPLeak", "Point-to-point leakage", "current between two test points"},
    {vti::etcEquipCurr, "etcEquipCurr", "Equipment current",
     "the current the device draws from the mains"},
    {vti::etcAltEquip, "etcAltEquip", "Alternative equipment leakage",
     "equipment leakage by the alternative method"},
    {vti::etcDiffLeak, "etcDiffLeak", "Differential leakage",
     "equipment leakage by the differential method"},
    {vti::etcDELeak, "etcDELeak", "Direct equipment leakage",
     "equipment leakage by the direct method"},
    {vti::etcDAPLeak, "etcDAPLeak", "Direct applied-part leakage",
     "applied-part leakage by the direct method"},
    {vti::etcAltAppl, "etcAltAppl", "Alternative applied-part leakage",
     "applied-part leakage by the alternative method"},
    {vti::etcECGTest, "etcECGTest", "ECG simulation",
     "nothing: puts out an ECG waveform on the applied-part posts"},
};

const std::vector<Named> kPowerConfigs{
    {vti::epcOff, "epcOff", "power off"},
    {vti::epcON, "epcON", "open neutral"},
    {vti::epcNC, "epcNC", "normal condition"},
    {vti::epcOE, "epcOE", "open earth"},
    {vti::epcONRM, "epcONRM", "open neutral, reversed mains"},
    {vti::epcNCRM, "epcNCRM", "reversed mains"},
    {vti::epcOERM, "epcOERM", "open earth, reversed mains"},
    {vti::epcMainsL1L2, "epcMainsL1L2", "mains L1 to L2"},
    {vti::epcMainsL1Gnd, "epcMainsL1Gnd", "mains L1 to earth"},
    {vti::epcMainsL2Gnd, "epcMainsL2Gnd", "mains L2 to earth"},
    {vti::epcAccessNC, "epcAccessNC", "access, normal condition"},
    {vti::epcAccessON, "epcAccessON", "access, open neutral"},
    {vti::epcAccessOE, "epcAccessOE", "access, open earth"},
    {vti::epcAccessNCRM, "epcAccessNCRM", "access, reversed mains"},
    {vti::epcAccessONRM, "epcAccessONRM", "access, open neutral, reversed mains"},
    {vti::epcAccessOERM, "epcAccessOERM", "access, open earth, reversed mains"},
};

const std::vector<Named> kTestStates{
    {vti::etsNotPerformed, "etsNotPerformed", "not performed"},
    {vti::etsCompleted, "etsCompleted", "completed"},
    {vti::etsAborted, "etsAborted", "aborted"},
    {vti::etsOverflow, "etsOverflow", "overflow"},
};

// The driver's ASCII units as a person writes them.
const std::vector<std::pair<std::string_view, const char*>> kUnitSymbols{
    {"uA", "\u00b5A"}, {"mA", "mA"}, {"Ohm", "\u03a9"}, {"MOhm", "M\u03a9"}};

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

const Named* find(const std::vector<Named>& table, int32_t value) {
  for (const Named& entry : table) {
    if (entry.value == value) return &entry;
  }
  return nullptr;
}

std::string name(const std::vector<Named>& table, int32_t value) {
  const Named* entry = find(table, value);
  return entry ? entry->name : std::to_string(value);
}

// An unknown value has no words; its number is all a person can be told.
std::string words(const std::vector<Named>& table, int32_t value) {
  const Named* entry = find(table, value);
  return entry ? entry->words : std::to_string(value);
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

std::string testCodeWords(vti::ETrxTestCode code) { return words(kTestCodes, code); }
std::string powerConfigWords(vti::ETrxPowerConfiguration config) {
  return words(kPowerConfigs, config);
}
std::string testStateWords(vti::ETrxTestState state) { return words(kTestStates, state); }

std::string testMeasures(vti::ETrxTestCode code) {
  const Named* entry = find(kTestCodes, code);
  return entry ? entry->measures : "";
}

std::string describeTest(vti::ETrxTestCode code, vti::ETrxPowerConfiguration config) {
  return testCodeWords(code) + ", " + powerConfigWords(config) + " (" + testCodeName(code) + ' ' +
         powerConfigName(config) + ")";
}

std::string unitSymbol(const std::string& unit) {
  for (const auto& [ascii, symbol] : kUnitSymbols) {
    if (unit == ascii) return symbol;
  }
  return unit;
}

}  // namespace apps::EnumNames
