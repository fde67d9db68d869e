#include <gtest/gtest.h>

#include "SimConnection.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"

// Every fault the simulated analyzer can produce, at every command of a whole session
// (connect, one test, close): the session always ends, the driver is closed, and unless the
// line was cut the analyzer is left in local mode with its outlet off.

using namespace vti;

namespace {

const std::vector<std::string> kFaults = {
    "!22",          "!21",     "!32",          "!50",           "!10",
    "reply 12#x",   "silence", "late 1500 ms", "late 12000 ms", "no-crlf",
    "split 3 2 ms", "hangup",  "ground-fault", "over-voltage",  "high-voltage",
};

struct Session {
  ETrxTestCode code;
  ETrxPowerConfiguration pc;
};

std::string commandName(const std::string& command) {
  if (command == "\x1b") return "ESC";
  return command.substr(0, command.find('='));
}

// The fault script selector that hits the `index`-th command of a session: the exact command
// when it has an argument, else its name, with the occurrence counted the same way.
std::string selectorFor(const std::vector<std::string>& commands, size_t index) {
  const std::string& command = commands[index];
  const bool exact = command.find('=') != std::string::npos;
  const std::string key = exact ? command : commandName(command);
  int occurrence = 0;
  for (size_t i = 0; i <= index; ++i) {
    if (exact ? commands[i] == key : commandName(commands[i]) == key) ++occurrence;
  }
  return key + " #" + std::to_string(occurrence);
}

struct Outcome {
  std::vector<std::string> commands;
  bool faultHit = false;
  bool failed = false;
};

// Runs one session; returns what the analyzer received and whether a scripted fault hit.
Outcome runSession(const Session& session, sim::Scenario scenario) {
  SimConnection sim(std::move(scenario));
  sim.answer("FWaitOnPC: wait\nFStopOnPC: wait\nMessageBox: click cmdOK");
  Outcome outcome;
  auto expectDriverError = [&outcome](const platform::ComError& e) {
    outcome.failed = true;
    EXPECT_TRUE(e.number() == errVTI_Error || e.number() == errVTI_UserAbort)
        << platform::errorNumberText(e.number()) << " " << e.description();
  };
  try {
    sim.vti().InitRemote(SimConnection::kPort);
  } catch (const platform::ComError& e) {
    expectDriverError(e);
  }
  if (sim.vti().State_get() == evsIdle) {
    auto test = std::make_shared<CTrxSafetyTest>();
    test->Initialize(session.code, session.pc);
    test->AP_let("1");
    try {
      sim.vti().RunSafetyTest(test, nullptr);
      ETrxTestState state = sim.vti().TestResult_get()->State_get();
      EXPECT_TRUE(state == etsCompleted || state == etsOverflow) << "state " << state;
    } catch (const platform::ComError& e) {
      expectDriverError(e);
    }
    EXPECT_EQ(sim.vti().State_get(), evsIdle);
  }
  sim.vti().EndRemote(nullptr);
  EXPECT_EQ(sim.vti().State_get(), evsClosed);
  // Late replies and commands still on the line settle.
  sim.loop().processFor(std::chrono::seconds(30));
  if (!sim.link().isHungUp()) {
    EXPECT_TRUE(sim.analyzerLocalAndOff()) << sim.analyzer().endState();
  }
  outcome.commands = sim.commands();
  for (const auto& entry : sim.analyzer().transcript().entries()) {
    if (entry.direction == "note" && entry.text.find("fault on") != std::string::npos)
      outcome.faultHit = true;
  }
  return outcome;
}

void runMatrix(const Session& session) {
  const auto healthy = runSession(session, sim::Scenario::load("healthy")).commands;
  int failures = 0;
  ASSERT_GT(healthy.size(), 10u);
  for (size_t index = 0; index < healthy.size(); ++index) {
    const std::string selector = selectorFor(healthy, index);
    for (const auto& fault : kFaults) {
      SCOPED_TRACE(selector + " = " + fault);
      Outcome outcome =
          runSession(session, SimConnection::withFaults("healthy", {{selector, fault}}));
      EXPECT_TRUE(outcome.faultHit);
      failures += outcome.failed ? 1 : 0;
    }
  }
  // Most faults end the test in an error; a run whose faults all went unnoticed would mean
  // the faults never reached the driver.
  EXPECT_GT(failures, static_cast<int>(healthy.size()));
  std::cerr << healthy.size() * kFaults.size() << " sessions, " << failures
            << " ended in an error\n";
}

}  // namespace

TEST(FaultMatrix, ProtectiveEarthTest) { runMatrix({etcProtEarth, epcOff}); }

TEST(FaultMatrix, PatientLeakageWithReversedPolarity) { runMatrix({etcPatLeak, epcNCRM}); }
