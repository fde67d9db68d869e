#pragma once

#include <ostream>
#include <string>

#include "apps/trxctl/TrxctlRequest.h"
#include "driver/CTrxTestResult.h"

namespace trxctl {

// Writes the outcome of each test: one line for a person ("etcPatLeak epcNC lead 0: 3.5 uA AC
// (etsCompleted)"), or one JSON object a line for a script.
class ResultPrinter {
 public:
  ResultPrinter(std::ostream& out, bool json) : m_out(out), m_json(json) {}

  // `error` is the message of a test that ended in an error (empty otherwise).
  void print(const PlannedTest& test, const vti::CTrxTestResult& result, const std::string& unit,
             const std::string& valueFormat, const std::string& error = {}) const;

  // The value as the test's display pattern asks ("# ##0.0": one decimal, digits grouped by
  // threes), by the system's one formatter.
  static std::string formatValue(float value, const std::string& valueFormat);
  static std::string jsonString(const std::string& text);

 private:
  std::ostream& m_out;
  bool m_json;
};

}  // namespace trxctl
