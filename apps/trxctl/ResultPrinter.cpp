#include "apps/trxctl/ResultPrinter.h"

#include <cstdio>

#include "apps/common/EnumNames.h"
#include "apps/common/JsonWriter.h"
#include "apps/trxctl/Reading.h"
#include "platform/NumberFormat.h"

namespace trxctl {

std::string ResultPrinter::jsonString(const std::string& text) {
  return apps::JsonWriter::quoted(text);
}

void ResultPrinter::print(const PlannedTest& test, const vti::CTrxTestResult& result,
                          const std::string& unit, const std::string& valueFormat,
                          const std::string& error) const {
  const Reading reading(test.code, result);
  if (m_json) {
    printJson(test, result, reading, unit, error);
    return;
  }
  m_out << apps::EnumNames::describeTest(test.code, test.power);
  if (test.lead >= vti::TRX_LEAD_ALL) m_out << " AP " << test.appliedPart;
  const vti::ETrxTestState state = result.State_get();
  m_out << ": " << reading.text(unit, valueFormat) << "; " << apps::EnumNames::testStateWords(state)
        << " (" << apps::EnumNames::testStateName(state) << ")";
  if (!error.empty()) m_out << " - " << error;
  m_out << std::endl;
}

void ResultPrinter::printJson(const PlannedTest& test, const vti::CTrxTestResult& result,
                              const Reading& reading, const std::string& unit,
                              const std::string& error) const {
  const vti::ETrxTestState state = result.State_get();
  // A script must never read a number where the analyzer gave none: "OL" is no zero ohms.
  const std::string value = reading.kind() == Reading::Kind::Measured
                                ? platform::formatNumber(result.Value_get())
                                : std::string("null");
  m_out << "{\"test\":" << test.code
        << ",\"test_name\":" << jsonString(apps::EnumNames::testCodeName(test.code))
        << ",\"test_words\":" << jsonString(apps::EnumNames::testCodeWords(test.code))
        << ",\"power\":" << test.power
        << ",\"power_name\":" << jsonString(apps::EnumNames::powerConfigName(test.power))
        << ",\"power_words\":" << jsonString(apps::EnumNames::powerConfigWords(test.power))
        << ",\"lead\":" << test.lead << ",\"applied_part\":" << jsonString(test.appliedPart)
        << ",\"value\":" << value
        << ",\"over_range\":" << (reading.kind() == Reading::Kind::OverRange ? "true" : "false")
        << ",\"unit\":" << jsonString(unit)
        << ",\"display_unit\":" << jsonString(apps::EnumNames::unitSymbol(unit))
        << ",\"unit_suffix\":" << jsonString(result.UnitSuffix_get()) << ",\"state\":" << state
        << ",\"state_name\":" << jsonString(apps::EnumNames::testStateName(state))
        << ",\"state_words\":" << jsonString(apps::EnumNames::testStateWords(state))
        << ",\"value_unknown\":" << jsonString(result.ValueUnknown_get())
        << ",\"error\":" << jsonString(error) << "}" << std::endl;
}

}  // namespace trxctl
