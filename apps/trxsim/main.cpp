// trxsim: a simulated safety analyzer on a pseudo-terminal. Prints the device path on its
// first line, then serves in real time until SIGINT or SIGTERM, and prints the state it leaves
// the analyzer in as its last line.

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "platform/PollLoop.h"
#include "sim/PseudoTerminal.h"
#include "sim/Scenario.h"
#include "sim/SimulatedAnalyzer.h"

namespace {

// SIGINT and SIGTERM arrive as readable data on a descriptor the loop watches, so stopping is
// an ordinary event and the analyzer's end state is still written.
int blockStopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0) return -1;
  return signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

void listScenarios() {
  std::error_code ec;
  for (const auto& entry :
       std::filesystem::directory_iterator(sim::Scenario::shippedFolder(), ec)) {
    if (entry.path().extension() == ".scn") std::cout << entry.path().stem().string() << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Simulated TRX440 safety analyzer on a pseudo-terminal"};
  std::string scenarioName = "healthy";
  std::string transcriptPath;
  bool list = false;
  app.add_option("-s,--scenario", scenarioName,
                 "Shipped scenario name (healthy, leakage-failure, flaky-line, ...) or a .scn file")
      ->capture_default_str();
  app.add_option("-t,--transcript", transcriptPath,
                 "Write every exchange as JSON lines to this file while serving");
  app.add_flag("-l,--list", list, "List the shipped scenarios and exit");
  CLI11_PARSE(app, argc, argv);

  if (list) {
    listScenarios();
    return 0;
  }

  std::unique_ptr<sim::SimulatedAnalyzer> analyzer;
  try {
    analyzer = std::make_unique<sim::SimulatedAnalyzer>(sim::Scenario::load(scenarioName));
  } catch (const std::exception& e) {
    std::cerr << "trxsim: " << e.what() << '\n';
    return 2;
  }

  std::ofstream transcript;
  if (!transcriptPath.empty()) {
    transcript.open(transcriptPath);
    if (!transcript) {
      std::cerr << "trxsim: cannot write " << transcriptPath << '\n';
      return 2;
    }
    analyzer->transcript().mirrorTo(&transcript);
  }
  // trxsim serves for as long as it is left running; only the live file needs the exchanges.
  analyzer->transcript().keepEntries(false);

  int signals = blockStopSignals();
  if (signals < 0) {
    std::perror("trxsim: signalfd");
    return 1;
  }

  platform::PollLoop poll;
  platform::LoopOverride useRealTime(poll);
  bool stop = false;
  poll.watchRead(signals, [&] {
    signalfd_siginfo info{};
    while (::read(signals, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) stop = true;
  });

  int status = 0;
  try {
    auto pty = std::make_unique<sim::PseudoTerminal>(*analyzer);
    std::cout << pty->path() << std::endl;
    std::cerr << "trxsim: serving scenario \"" << scenarioName << "\" on " << pty->path()
              << " (Ctrl-C to stop)\n";
    analyzer->attach(std::move(pty));
    poll.processUntil([&] { return stop || analyzer->isHungUp(); });
    if (analyzer->isHungUp()) std::cerr << "trxsim: the scenario hung up the line\n";
  } catch (const std::exception& e) {
    std::cerr << "trxsim: " << e.what() << '\n';
    status = 1;
  }
  analyzer->detach();
  std::cout << analyzer->endState() << std::endl;
  if (transcript.is_open()) transcript << analyzer->endState() << '\n';
  ::close(signals);
  return status;
}
