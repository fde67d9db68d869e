#include "apps/trxctl/ResultPrinter.h"

#include <cstdio>

#include "apps/trxctl/EnumNames.h"
#include "platform/NumberFormat.h"
#include "platform/NumberPattern.h"

namespace trxctl {

std::string ResultPrinter::formatValue(float value, const std::string& valueFormat) {
  return platform::Format(value, valueFormat);
}

std::string ResultPrinter::jsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void ResultPrinter::print(const PlannedTest& test, const vti::CTrxTestResult& result,
                          const std::string& unit, const std::string& valueFormat,
                          const std::string& error) const {
  const std::string state = EnumNames::testStateName(result.State_get());
  if (m_json) {
    m_out << "{\"test\":" << test.code
          << ",\"test_name\":" << jsonString(EnumNames::testCodeName(test.code))
          << ",\"power\":" << test.power
          << ",\"power_name\":" << jsonString(EnumNames::powerConfigName(test.power))
          << ",\"lead\":" << test.lead << ",\"applied_part\":" << jsonString(test.appliedPart)
          << ",\"value\":" << platform::formatNumber(result.Value_get())
          << ",\"unit\":" << jsonString(unit)
          << ",\"unit_suffix\":" << jsonString(result.UnitSuffix_get())
          << ",\"state\":" << result.State_get() << ",\"state_name\":" << jsonString(state)
          << ",\"value_unknown\":" << jsonString(result.ValueUnknown_get())
          << ",\"error\":" << jsonString(error) << "}" << std::endl;
    return;
  }
  m_out << EnumNames::testCodeName(test.code) << ' ' << EnumNames::powerConfigName(test.power);
  if (test.lead >= vti::TRX_LEAD_ALL) m_out << " AP " << test.appliedPart;
  m_out << ": ";
  const bool reading =
      result.State_get() == vti::etsCompleted || result.State_get() == vti::etsOverflow;
  if (test.code == vti::etcECGTest && result.State_get() == vti::etsCompleted) {
    // The ECG test puts out a waveform and reads nothing.
    m_out << "waveform put out";
  } else if (!result.ValueUnknown_get().empty()) {
    m_out << result.ValueUnknown_get() << ' ' << unit;
  } else if (result.State_get() == vti::etsOverflow) {
    m_out << "overflow";
  } else if (reading) {
    m_out << formatValue(result.Value_get(), valueFormat) << ' ' << unit;
  } else {
    m_out << "no reading";
  }
  if (reading && test.code != vti::etcECGTest && !result.UnitSuffix_get().empty())
    m_out << ' ' << result.UnitSuffix_get();
  m_out << " (" << state << ")";
  if (!error.empty()) m_out << " - " << error;
  m_out << std::endl;
}

}  // namespace trxctl
