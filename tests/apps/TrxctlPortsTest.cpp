// trxctl's port errors, scan and ground-fault handling, in process on virtual time.
#include <gtest/gtest.h>
#include <unistd.h>

#include "TrxctlFixture.h"
#include "apps/trxctl/CommandLine.h"
#include "apps/trxctl/PortDiagnosis.h"
#include "apps/trxctl/ScanCandidates.h"
#include "platform/serial/PosixSerialPort.h"
#include "support/PseudoTerminal.h"
#include "support/TestFiles.h"

using namespace trxctl;

namespace {

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(TrxctlTest, APortThatDoesNotOpenSaysWhy) {
  TempDir dir;
  std::ofstream(dir / "regular") << "not a device\n";
  const std::string regular = (dir / "regular").string(), folder = dir.path().string();
  const std::pair<std::string, std::string> cases[] = {
      {"/dev/trxctl-no-such-port", "Port not found: /dev/trxctl-no-such-port does not exist"},
      {regular, "Port not found: " + regular + " is a regular file, not a serial device"},
      {folder, "Port not found: " + folder + " is a directory, not a serial device"},
      {"/dev/null", "Port not found: /dev/null is not a serial device"},
      {"COM5",
       "COM5 has no entry in the port table; add COM5=/dev/... under "
       "[HKLM\\Software\\Tavik\\orvel\\Ports]"},
  };
  for (const auto& [port, why] : cases) {
    EXPECT_EQ(trxctl({"query", port.c_str()}), kExitUsage) << port;
    EXPECT_TRUE(contains(out.str(), port + ": " + why)) << out.str();
    EXPECT_TRUE(contains(out.str(), "(status 0: nothing found)")) << out.str();
    EXPECT_EQ(trxctl({"run", port.c_str(), "etcProtEarth"}), kExitUsage) << port;
    // The driver's own message first, then what trxctl found out.
    EXPECT_TRUE(contains(err.str(), "Can not open port")) << err.str();
    EXPECT_TRUE(contains(err.str(), "trxctl: " + port + ": " + why)) << err.str();
  }
}

TEST_F(TrxctlTest, AnUnassignedPortNumberNamesTheSettingToAdd) {
  vti::MPortTable::PortFactoryOverride noFactory{{}};  // the port table decides
  EXPECT_EQ(trxctl({"query", "7"}), kExitUsage);
  EXPECT_EQ(out.str(),
            "7: COM7 has no entry in the port table; add COM7=/dev/... under "
            "[HKLM\\Software\\Tavik\\orvel\\Ports] in the settings file (status 0: "
            "nothing found)\n");
  host.registry().set(vti::MPortTable::kPortsKey, "COM7", "/dev/trxctl-no-such-port");
  EXPECT_EQ(trxctl({"query", "COM7"}), kExitUsage);
  EXPECT_TRUE(contains(out.str(), "Port not found: /dev/trxctl-no-such-port")) << out.str();
}

TEST_F(TrxctlTest, APortInUseSaysByWhom) {
  testing_pty::PseudoTerminal pty;
  platform::serial::PosixSerialPort holder(pty.slavePath());
  holder.open();
  ASSERT_TRUE(holder.isOpen()) << holder.status();
  const std::string byUs = "Port unavailable: " + pty.slavePath() + " is in use by process " +
                           std::to_string(::getpid());
  EXPECT_EQ(trxctl({"run", pty.slavePath().c_str(), "etcProtEarth"}), kExitUsage);
  EXPECT_TRUE(contains(err.str(), byUs)) << err.str();
  // Without the kernel's lock table the holder is unknown, but the port is still in use.
  EXPECT_EQ(PortDiagnosis("/nonexistent-locks").explain(pty.slavePath()),
            "Port unavailable: " + pty.slavePath() + " is in use by another program");
  holder.close();
}

TEST_F(TrxctlTest, APortThatOpensButGetsNoAnswerSaysSo) {
  EXPECT_EQ(trxctl({"run", "3", "etcProtEarth"}), kExitUsage);
  EXPECT_TRUE(contains(err.str(), "trxctl: 3: the port opens, but no analyzer answered on it"))
      << err.str();
}

TEST_F(TrxctlTest, AScanOfNamedPortsReportsEachOfThem) {
  attach("");
  EXPECT_EQ(trxctl({"scan", "/dev/trxctl-no-such-port", "3"}), kExitSuccess) << err.str();
  EXPECT_EQ(out.str(),
            "/dev/trxctl-no-such-port: Port not found: /dev/trxctl-no-such-port does not exist\n"
            "3: TRX440, serial number T440-000117, firmware 2.05 (status 2: identified)\n");
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(trxctl({"scan", "/dev/trxctl-no-such-port"}), kExitUsage);
}

TEST_F(TrxctlTest, TheUsualScanLeavesTheMachinesOtherSerialLinesAlone) {
  TempDir dev;
  for (const char* name : {"ttyS0", "ttyUSB0", "ttyACM1", "ttyAMA0", "tty", "null"})
    std::ofstream(dev / name).put('\n');
  std::filesystem::create_directories(dev / "serial" / "by-id");
  std::filesystem::create_symlink(dev / "ttyUSB0", dev / "serial" / "by-id" / "usb-FTDI-if00");
  host.registry().set(vti::MPortTable::kPortsKey, "COM2", (dev / "ttyACM1").string());
  const std::string byId = (dev / "serial" / "by-id" / "usb-FTDI-if00").string();
  // Each device once, by the name that says most about it: the table's, then the adapter's id.
  const std::vector<std::string> usual{"COM2", byId};
  EXPECT_EQ(ScanCandidates(dev.path()).list(false), usual);
  std::vector<std::string> all = usual;
  all.push_back((dev / "ttyAMA0").string());
  all.push_back((dev / "ttyS0").string());
  EXPECT_EQ(ScanCandidates(dev.path()).list(true), all);
}

TEST_F(TrxctlTest, AScanOfEveryLineSaysWhatItWillSendFirst) {
  EXPECT_EQ(trxctl({"scan", "--all"}), kExitUsage);  // nothing answers on this machine's lines
  EXPECT_EQ(err.str().rfind("trxctl scan --all: every serial line that opens, /dev/ttyS* "
                            "included, receives \"LOCAL\", ESC and \"STAT\"",
                            0),
            0u)
      << err.str();
  EXPECT_EQ(trxctl({"scan"}), kExitUsage);
  EXPECT_EQ(err.str(), "");
}

TEST_F(TrxctlTest, AGroundFaultEndsTheSeriesAndIsResetOnlyWhenAsked) {
  attachShipped("ground-fault");
  EXPECT_EQ(trxctl({"run", "3", "etcEquipCurr", "etcPatLeak", "etcProtEarth"}), kExitTestFailed);
  EXPECT_EQ(out.str(),
            "Equipment current, normal condition (etcEquipCurr epcNC): no reading; not performed "
            "(etsNotPerformed) - ground-fault interrupter tripped\n");
  EXPECT_TRUE(contains(err.str(), "trxctl reset-trip 3 (2 test(s) not run)")) << err.str();
  // The scenario hangs the line up at the patient leakage test: it was never sent.
  EXPECT_EQ(analyzer->endState(), kLocalAndOff);
  // Still tripped: the next connection is refused at once, and trxctl resets nothing by itself.
  EXPECT_EQ(trxctl({"calibrate", "3"}), kExitUsage);
  EXPECT_TRUE(contains(err.str(), "trxctl: the analyzer's ground-fault interrupter tripped"))
      << err.str();
  EXPECT_EQ(trxctl({"reset-trip", "3"}), kExitSuccess);
  EXPECT_EQ(out.str(), "3: ground-fault interrupter reset\n");
  EXPECT_EQ(trxctl({"run", "3", "etcEquipCurr"}), kExitSuccess) << err.str();
}

TEST_F(TrxctlTest, AResetWithoutAnAnalyzerResetsNothing) {
  EXPECT_EQ(trxctl({"reset-trip", "3"}), kExitUsage);
  EXPECT_EQ(out.str(), "3: no analyzer answered; nothing was reset\n");
  EXPECT_EQ(trxctl({"reset-trip", "/dev/trxctl-no-such-port"}), kExitUsage);
  EXPECT_TRUE(contains(out.str(), "does not exist; nothing was reset")) << out.str();
}

}  // namespace
