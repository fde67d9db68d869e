// Prints the figures of whole test runs through the connection (CTrxVti):
//  1. all 22 tests in sequence against the in-process simulator on virtual time: wall seconds
//     (target below 0.5 s);
//  2. the same sequence against the trxsim program on a pseudo-terminal in real time:
//     wall time / protocol floor (target below 1.02) and CPU time / wall time (target below 2 %).
//
// The protocol floor is the time the session cannot be shorter than: every wait the micro
// sequences and the channel prescribe (the pause before each command, the settle times, "#WAIT",
// the reading streams of "#MANY", the power-on countdowns), the time every byte needs on the line
// at 115200 baud (10 bits a byte) and the analyzer's own processing time of each command. It is
// measured by running the identical session - same tests, same options, same scenario, same
// prompt answers - against the in-process simulator on virtual time over a cable with no latency
// of its own: there the CPU costs nothing, so the virtual time that passes is exactly that sum.
// The transcript of that run gives the byte count shown beside it.
//
// One subtlety: a reading stream ends with the first reading that comes after its duration.
// The simulator streams at exact intervals from the first reading, so on virtual time one
// reading lands exactly on the end of the duration and still counts as inside it, which makes
// the stream one interval longer than it is on any real line, where every interval is a little
// late. The floor run therefore streams one microsecond later per interval: the least delay
// that any real instrument has, and the floor then is the shortest session a real line allows.
#include <time.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestResult.h"
#include "driver/CTrxVti.h"
#include "driver/MPortTable.h"
#include "host/HostServicesInstaller.h"
#include "platform/PollLoop.h"
#include "platform/VirtualLoop.h"
#include "platform/forms/ScriptedScreen.h"
#include "platform/serial/VirtualSerialLink.h"
#include "sim/SimulatedAnalyzer.h"
#include "support/ChildProcess.h"

namespace {

using bench::cpuSeconds;
using bench::wallSeconds;

constexpr int32_t kPort = 1;

// Every test of the analyzer once, each in the first configuration it accepts.
std::vector<std::shared_ptr<vti::CTrxSafetyTest>> allTests() {
  std::vector<std::shared_ptr<vti::CTrxSafetyTest>> tests;
  for (int32_t code = vti::etcMains; code <= vti::etcECGTest; ++code) {
    for (int32_t pc = vti::epcOff; pc <= vti::epcAccessOERM; ++pc) {
      auto etc = static_cast<vti::ETrxTestCode>(code);
      auto epc = static_cast<vti::ETrxPowerConfiguration>(pc);
      if (!vti::CTrxSafetyTest::LeadNoOf(etc, epc)) continue;
      auto test = std::make_shared<vti::CTrxSafetyTest>();
      test->Initialize(etc, epc);
      test->AP_let(test->LeadNo_get() >= 1 ? std::to_string(test->LeadNo_get()) : "ALL");
      tests.push_back(test);
      break;
    }
  }
  return tests;
}

// The operator of the run: continues at every stop at once, lets every countdown run out.
void answerPrompts(platform::forms::ScriptedScreen& screen) {
  using platform::forms::ScriptAction;
  auto rule = [](const char* form, std::vector<platform::forms::ScriptStep> steps) {
    platform::forms::ScriptRule r;
    r.form = form;
    r.steps = std::move(steps);
    return r;
  };
  screen.addRule(
      rule("FStopOnPC", {{platform::Milliseconds(0), ScriptAction::Click, "cmdContinue", ""}}));
  screen.addRule(rule("FWaitOnPC", {}));
  screen.addRule(
      rule("MessageBox", {{platform::Milliseconds(0), ScriptAction::Click, "cmdOK", ""}}));
}

// The session: connect, all tests, close. Gives the number of tests completed.
int session() {
  platform::forms::ScriptedScreen screen;
  answerPrompts(screen);
  platform::forms::ScreenOverride useScreen(screen);
  vti::CTrxVti connection;
  connection.InitRemote(kPort);
  int completed = 0;
  for (const auto& test : allTests()) {
    try {
      connection.RunSafetyTest(test);
      completed += connection.TestResult_get()->State_get() == vti::etsCompleted;
    } catch (const std::exception& e) {
      std::printf("  %d: %s\n", test->TestCode_get(), e.what());
    }
  }
  connection.EndRemote();
  return completed;
}

struct VirtualRun {
  double wall = 0;
  double virtualSeconds = 0;
  size_t bytes = 0;
  int completed = 0;
};

VirtualRun virtualSession(platform::Duration latency, platform::Duration streamSlack) {
  platform::VirtualLoop ev;
  platform::LoopOverride use(ev);
  platform::serial::VirtualSerialLink link({115200, latency});
  sim::Scenario scenario = sim::Scenario::load("healthy");
  scenario.streamInterval += streamSlack;
  sim::SimulatedAnalyzer analyzer(std::move(scenario));
  analyzer.attach(link);
  vti::MPortTable::PortFactoryOverride useLink([&link](int32_t) { return link.hostEnd(); });
  VirtualRun run;
  double wall0 = wallSeconds();
  auto start = ev.elapsed();
  run.completed = session();
  run.wall = wallSeconds() - wall0;
  run.virtualSeconds = static_cast<double>((ev.elapsed() - start).count()) / 1000.0;
  for (const auto& entry : analyzer.transcript().entries()) {
    if (entry.direction != "note") run.bytes += entry.text.size();
  }
  return run;
}

void realTimeSession(double floorSeconds) {
  platform::PollLoop ev;
  platform::LoopOverride use(ev);
  ChildProcess trxsim({TRXSIM_PATH, "--scenario", "healthy"});
  const std::string& out = trxsim.readUntil(
      [](const std::string& text) { return text.find('\n') != std::string::npos; });
  std::string path = out.substr(0, out.find('\n'));
  vti::MPortTable::PortFactoryOverride usePath(
      [&path](int32_t) { return vti::MPortTable::CreatePort(path); });
  double cpu0 = cpuSeconds(), wall0 = wallSeconds();
  int completed = session();
  double cpu = cpuSeconds() - cpu0, wall = wallSeconds() - wall0;
  std::printf(
      "22 tests against trxsim (pty, real time): %d completed, wall %.3f s, protocol floor "
      "%.3f s, wall/floor %.4f (target < 1.02), cpu %.3f s, cpu/wall %.2f %% (target < 2 %%)\n",
      completed, wall, floorSeconds, wall / floorSeconds, cpu, 100.0 * cpu / wall);
}

}  // namespace

int main() {
  host::installHostServices();
  VirtualRun simulated = virtualSession(std::chrono::microseconds(200), platform::Duration(0));
  std::printf(
      "22 tests against the in-process simulator (VirtualLoop): %d completed, wall %.3f s "
      "(target < 0.5 s), %.1f s of virtual time\n",
      simulated.completed, simulated.wall, simulated.virtualSeconds);
  VirtualRun floor = virtualSession(platform::Duration(0), std::chrono::microseconds(1));
  std::printf("protocol floor of the sequence: %.3f s (%zu bytes on the line, %.3f s of it)\n",
              floor.virtualSeconds, floor.bytes, static_cast<double>(floor.bytes) * 10 / 115200);
  realTimeSession(floor.virtualSeconds);
  return 0;
}
