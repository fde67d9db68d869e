#pragma once

#include <ostream>
#include <string>

#include "apps/trxctl/TrxctlRequest.h"
#include "driver/CTrxTestResult.h"

namespace trxctl {

class Reading;

// Writes the outcome of each test: one line for a person ("Patient leakage, normal condition
// (etcPatLeak epcNC) AP ALL: 3.5 µA AC; completed (etsCompleted)"), or one JSON object a line
// for a script, whose "value" is null whenever the analyzer gave no number.
class ResultPrinter {
 public:
  ResultPrinter(std::ostream& out, bool json) : m_out(out), m_json(json) {}

  // `error` is the message of a test that ended in an error (empty otherwise).
  void print(const PlannedTest& test, const vti::CTrxTestResult& result, const std::string& unit,
             const std::string& valueFormat, const std::string& error = {}) const;

  static std::string jsonString(const std::string& text);

 private:
  void printJson(const PlannedTest& test, const vti::CTrxTestResult& result, const Reading& reading,
                 const std::string& unit, const std::string& error) const;

  std::ostream& m_out;
  bool m_json;
};

}  // namespace trxctl
