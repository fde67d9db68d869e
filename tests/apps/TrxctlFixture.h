#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "apps/trxctl/Trxctl.h"
#include "driver/MPortTable.h"
#include "platform/VirtualLoop.h"
#include "platform/serial/VirtualSerialLink.h"
#include "sim/SimulatedAnalyzer.h"
#include "support/TestHost.h"

inline constexpr const char* kLocalAndOff =
    "{\"end\":true,\"control\":\"local\",\"outlet\":\"off\",\"test_mode\":\"\",\"hung_up\":false}";

// trxctl in process, on virtual time, against a simulated analyzer behind port number 3.
class TrxctlTest : public ::testing::Test {
 protected:
  void attach(const std::string& scenario) {
    analyzer = std::make_unique<sim::SimulatedAnalyzer>(sim::Scenario::parse(scenario, "test"));
    analyzer->attach(link);
  }
  // `terminal`: standard input is a terminal; `terminalOutput`: standard output is one.
  int trxctl(std::vector<const char*> args, bool terminal = false, bool terminalOutput = false) {
    args.insert(args.begin(), "trxctl");
    out.str("");
    err.str("");
    return trxctl::Trxctl::main(static_cast<int>(args.size()), args.data(), out, err, terminal,
                                terminalOutput);
  }
  void attachShipped(const std::string& name) {
    analyzer = std::make_unique<sim::SimulatedAnalyzer>(sim::Scenario::load(name));
    analyzer->attach(link);
  }
  std::string answersFile(const std::string& text) {
    auto path = std::filesystem::temp_directory_path() /
                ("trxctl-answers-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(path) << text;
    m_files.push_back(path);
    return path.string();
  }
  ~TrxctlTest() override {
    for (const auto& file : m_files) std::filesystem::remove(file);
  }

  platform::VirtualLoop ev;
  platform::LoopOverride useVirtualTime{ev};
  testing_host::TestHost host;
  platform::serial::VirtualSerialLink link;
  vti::MPortTable::PortFactoryOverride usePort3{
      [this](int32_t port) { return port == 3 ? link.hostEnd() : nullptr; }};
  std::unique_ptr<sim::SimulatedAnalyzer> analyzer;
  std::ostringstream out, err;

 private:
  std::vector<std::filesystem::path> m_files;
};
