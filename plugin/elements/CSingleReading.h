#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace host_api {
class ITestRun;
}

namespace vti {
class CTrxTestResult;
}

namespace plugin {

class CMeasurement;
class CTestSingle;

// Turns the driver's result of a single test into its measurement record: the key "::ST" with
// the suffix of the reading's measurement type, the element's name, the instrument's "OL" text
// or its value, overflow marked "O", judged against the element's limits for the run's
// standards. A repeated protective-earth reading carries its running number in key and
// description ("::ST2", "PE Resistance2").
class CSingleReading {
 public:
  CSingleReading(const CTestSingle& element, host_api::ITestRun* testRun);

  // The record of `result` with running number `counter` (0: none). Null when the driver did
  // not perform the test; an aborted test stops the run.
  std::shared_ptr<CMeasurement> Create(const vti::CTrxTestResult& result, int32_t counter) const;

 private:
  std::string key(int32_t counter) const;
  std::string description(int32_t counter) const;
  std::shared_ptr<CMeasurement> typed(const vti::CTrxTestResult& result, int32_t counter) const;

  const CTestSingle& m_element;
  host_api::ITestRun* m_testRun;
};

}  // namespace plugin
