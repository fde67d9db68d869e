#include "apps/trxctl/ListCommand.h"

#include "apps/common/EnumNames.h"
#include "apps/trxctl/CommandLine.h"
#include "driver/CTrxSafetyTest.h"

namespace trxctl {

std::vector<vti::ETrxPowerConfiguration> ListCommand::validPowers(vti::ETrxTestCode code) {
  std::vector<vti::ETrxPowerConfiguration> powers;
  for (int32_t pc = vti::epcOff; pc <= vti::epcAccessOERM; ++pc) {
    auto config = static_cast<vti::ETrxPowerConfiguration>(pc);
    if (vti::CTrxSafetyTest::LeadNoOf(code, config)) powers.push_back(config);
  }
  return powers;
}

void ListCommand::printTest(vti::ETrxTestCode code, std::ostream& out) {
  const auto powers = validPowers(code);
  if (powers.empty()) return;
  out << apps::EnumNames::testCodeName(code) << " (" << static_cast<int32_t>(code) << ") "
      << apps::EnumNames::testCodeWords(code) << ": " << apps::EnumNames::testMeasures(code);
  if (code != vti::etcECGTest) {
    // The unit is the driver's, which knows it only for a test set up in a valid configuration.
    vti::CTrxSafetyTest test;
    test.Initialize(code, powers.front());
    const std::string unit = test.Unit_get();
    out << ", in " << apps::EnumNames::unitSymbol(unit);
    if (apps::EnumNames::unitSymbol(unit) != unit) out << " (" << unit << ")";
  }
  out << '\n';
  for (auto power : powers) {
    out << "    " << apps::EnumNames::powerConfigWords(power) << " ("
        << apps::EnumNames::powerConfigName(power) << ", " << static_cast<int32_t>(power) << ")\n";
  }
}

int ListCommand::run(std::ostream& out) {
  for (int32_t code = vti::etcMains; code <= vti::etcECGTest; ++code) {
    printTest(static_cast<vti::ETrxTestCode>(code), out);
  }
  out.flush();
  return kExitSuccess;
}

}  // namespace trxctl
