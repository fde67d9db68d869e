#pragma once

#include <string>
#include <vector>

#include "driver/CTrxTestOptions.h"
#include "driver/TrxTypes.h"

namespace trxctl {

// One test of a run, checked against the instrument's tests: a valid pair of test code and
// power configuration, the lead and the applied-part text it runs with.
struct PlannedTest {
  vti::ETrxTestCode code = vti::etcMains;
  vti::ETrxPowerConfiguration power = vti::epcOff;
  int32_t lead = 0;
  std::string appliedPart;
};

// What the command line asks for.
struct TrxctlRequest {
  enum class Command { Query, Scan, Run, Calibrate, ResetTrip, List };

  Command command = Command::Query;
  std::string port;                    // a device path, "COM<n>" or a port number
  std::vector<std::string> scanPorts;  // the ports a scan was given; empty: the usual ones
  bool scanAll = false;                // scan the machine's other serial lines as well
  std::vector<PlannedTest> tests;
  vti::CTrxTestOptions options;
  std::string answersFile;  // empty: prompts on the terminal
  bool json = false;
};

}  // namespace trxctl
