#pragma once

#include <cstdint>
#include <memory>

#include "plugin/elements/CSingleReading.h"

namespace host_api {
class ITestElement;
}

namespace vti {
class CTrxTestResult;
}

namespace plugin {

class CAutoRunSetup;
class CMeasurement;
class CTestSingle;

// One RunTest of a single test: the reading is taken, judged, and the operator decides what
// follows. A failed reading goes to the halt-on-failure question; a protective-earth reading in
// a group that measures several points asks whether to measure another point (keeping the
// readings so far or not); the ECG simulation asks the operator for the verdict. A kept
// reading goes into the result, which the guide shows and the run notes as performed.
class CSingleRun {
 public:
  CSingleRun(CTestSingle& element, CAutoRunSetup& setup);

  // Runs until the operator accepts, discards or stops; returns the driver's last test state.
  int32_t Run();

 private:
  int32_t decide(const std::shared_ptr<CMeasurement>& m);
  int32_t askForAnotherPoint(const std::shared_ptr<CMeasurement>& m);
  int32_t askEcgVerdict(CMeasurement& m);
  void accept(const vti::CTrxTestResult& result, std::shared_ptr<CMeasurement> m);
  void keepBeforeRepeat(const vti::CTrxTestResult& result);
  void reportKept();

  CTestSingle& m_element;
  std::shared_ptr<host_api::ITestElement> m_self;
  CAutoRunSetup& m_setup;
  CSingleReading m_reading;
  int32_t m_counter = 0;
};

}  // namespace plugin
