#include "apps/trxctl/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace trxctl;

namespace {

struct Parsed {
  std::optional<int> exitCode;
  TrxctlRequest request;
  std::string out, err;
};

Parsed parse(std::vector<const char*> args) {
  args.insert(args.begin(), "trxctl");
  CommandLine commandLine;
  std::ostringstream out, err;
  Parsed parsed;
  parsed.exitCode = commandLine.parse(static_cast<int>(args.size()), args.data(), out, err);
  parsed.request = commandLine.request();
  parsed.out = out.str();
  parsed.err = err.str();
  return parsed;
}

TEST(CommandLine, EveryCommandHasHelpAndExitsWithSuccess) {
  for (std::vector<const char*> args :
       std::vector<std::vector<const char*>>{{"--help"},
                                             {"query", "--help"},
                                             {"scan", "--help"},
                                             {"run", "--help"},
                                             {"calibrate", "--help"}}) {
    auto parsed = parse(args);
    SCOPED_TRACE(args.front());
    EXPECT_EQ(parsed.exitCode, kExitSuccess);
    EXPECT_NE(parsed.out.find("Usage"), std::string::npos) << parsed.out;
  }
  EXPECT_NE(parse({"run", "--help"}).out.find("--polarity-delay"), std::string::npos);
}

TEST(CommandLine, RunHelpShowsDefaultsAndChoicesInWords) {
  const std::string help = parse({"run", "--help"}).out;
  vti::CTrxTestOptions fresh;
  const std::string delayOn = std::to_string(fresh.DelayTimePowerOn_get());
  EXPECT_NE(help.find("--delay-on SECONDS"), std::string::npos) << help;
  EXPECT_NE(help.find("powered on, 0..3600 (default: " + delayOn + ")"), std::string::npos);
  EXPECT_NE(help.find("Component measured: acdc, ac or dc (default: acdc)"), std::string::npos);
  EXPECT_NE(help.find("none, aami, 601, 353 or asnz"), std::string::npos);
  EXPECT_NE(help.find("after or before (default: after)"), std::string::npos);
  EXPECT_NE(help.find("(default: the test's own)"), std::string::npos);
  // CLI11's own rendering of the choices (`{ac->1,...}`) and of the ranges stays out.
  EXPECT_EQ(help.find("->"), std::string::npos) << help;
  EXPECT_EQ(help.find("INT"), std::string::npos) << help;
}

TEST(CommandLine, BadValuesAreNamedForWhatTheyAre) {
  auto expectError = [](std::vector<const char*> args, const std::string& text) {
    auto parsed = parse(args);
    EXPECT_EQ(parsed.exitCode, kExitUsage);
    EXPECT_NE(parsed.err.find(text), std::string::npos) << parsed.err;
  };
  expectError({"run", "p", "etcPatLeak", "--delay-on", "abc"}, "\"abc\" is not a number");
  expectError({"run", "p", "etcPatLeak", "--delay-on", "2s"}, "\"2s\" is not a number");
  expectError({"run", "p", "etcPatLeak", "--delay-on", ""}, "is not a number");
  expectError({"run", "p", "etcPatLeak", "--delay-off", "3601"}, "3601 is out of range (0..3600)");
  expectError({"run", "p", "etcPatLeak", "--lead", "-2"}, "-2 is out of range (-1..5)");
  expectError({"run", "p", "etcPatLeak", "--meas", "rms"}, "\"rms\" is not one of acdc, ac or dc");
  // Words are taken in any case; numbers still reach the option as numbers.
  auto parsed = parse({"run", "p", "etcPatLeak", "--meas", "DC", "--lead", "-1"});
  ASSERT_FALSE(parsed.exitCode) << parsed.err;
  EXPECT_EQ(parsed.request.options.MeasType_get(), vti::emt_DC);
  EXPECT_EQ(parsed.request.tests[0].lead, -1);
}

TEST(CommandLine, UsageErrorsExitWithTwoAndSayWhy) {
  for (std::vector<const char*> args : std::vector<std::vector<const char*>>{
           {},
           {"frobnicate"},
           {"query"},
           {"run", "/dev/ttyUSB0"},
           {"run", "/dev/ttyUSB0", "etcNoSuchTest"},
           {"run", "/dev/ttyUSB0", "23"},
           {"run", "/dev/ttyUSB0", "etcPatLeak:epcNoSuch"},
           {"run", "/dev/ttyUSB0", "etcEquipCurr:epcON"},
           {"run", "/dev/ttyUSB0", "etcPatLeak", "--meas", "rms"},
           {"run", "/dev/ttyUSB0", "etcPatLeak", "--standard", "iec"},
           {"run", "/dev/ttyUSB0", "etcIRMains", "--voltage", "1000"},
           {"run", "/dev/ttyUSB0", "etcECGTest", "--waveform", "16"},
           {"run", "/dev/ttyUSB0", "etcPatLeak", "--lead", "6"},
           {"run", "/dev/ttyUSB0", "etcPatLeak", "--answers", "/no/such/answers.txt"},
       }) {
    auto parsed = parse(args);
    EXPECT_EQ(parsed.exitCode, kExitUsage) << (args.empty() ? "" : args.back());
    EXPECT_FALSE(parsed.err.empty());
  }
  EXPECT_NE(parse({"run", "p", "etcEquipCurr:epcON"}).err.find("accepts epcNC"), std::string::npos);
}

TEST(CommandLine, TestsAndPowerConfigurationsByNameOrNumber) {
  auto parsed = parse(
      {"run", "/dev/pts/3", "etcPatLeak:epcNCRM", "9", "etcmains:9", "2:1", "--power", "epcOE"});
  ASSERT_FALSE(parsed.exitCode) << parsed.err;
  const auto& tests = parsed.request.tests;
  ASSERT_EQ(tests.size(), 4u);
  EXPECT_EQ(parsed.request.command, TrxctlRequest::Command::Run);
  EXPECT_EQ(parsed.request.port, "/dev/pts/3");
  EXPECT_EQ(tests[0].code, vti::etcPatLeak);
  EXPECT_EQ(tests[0].power, vti::epcNCRM);
  EXPECT_EQ(tests[0].lead, 0);
  EXPECT_EQ(tests[0].appliedPart, "ALL");
  // --power applies to the tests that name no configuration of their own, when they accept it.
  EXPECT_EQ(tests[1].code, vti::etcEnclLeak);
  EXPECT_EQ(tests[1].power, vti::epcOE);
  EXPECT_EQ(tests[1].lead, 1);
  EXPECT_EQ(parse({"run", "p", "16", "--power", "epcOE"}).exitCode, kExitUsage);
  EXPECT_EQ(tests[2].code, vti::etcMains);
  EXPECT_EQ(tests[2].power, vti::epcMainsL1Gnd);
  EXPECT_EQ(tests[2].lead, -1);
  EXPECT_EQ(tests[3].code, vti::etcProtEarth);
  EXPECT_EQ(tests[3].power, vti::epcOff);
}

TEST(CommandLine, WithoutAPowerConfigurationATestRunsInItsUsualOne) {
  auto parsed = parse({"run", "p", "etcPatLeak", "etcProtEarth", "etcMains", "etcMAP"});
  ASSERT_FALSE(parsed.exitCode) << parsed.err;
  const auto& tests = parsed.request.tests;
  EXPECT_EQ(tests[0].power, vti::epcNC);
  EXPECT_EQ(tests[1].power, vti::epcOff);
  EXPECT_EQ(tests[2].power, vti::epcMainsL1L2);
  EXPECT_EQ(tests[3].power, vti::epcNC);
}

TEST(CommandLine, LeadAndAppliedPart) {
  auto one = parse({"run", "p", "etcPatLeak", "--lead", "2"});
  ASSERT_FALSE(one.exitCode) << one.err;
  EXPECT_EQ(one.request.tests[0].lead, 2);
  EXPECT_EQ(one.request.tests[0].appliedPart, "2");
  auto named = parse({"run", "p", "etcPatLeak", "--ap", "RA,LL"});
  EXPECT_EQ(named.request.tests[0].appliedPart, "RA,LL");
  EXPECT_EQ(parse({"run", "p", "etcPatAux"}).request.tests[0].lead, 1);
}

TEST(CommandLine, TestOptions) {
  auto parsed = parse({"run",
                       "p",
                       "etcIRMains",
                       "--meas",
                       "AC",
                       "--standard",
                       "353",
                       "--voltage",
                       "250",
                       "--ir-duration",
                       "5",
                       "--waveform",
                       "9",
                       "--ecg-duration",
                       "4",
                       "--stop-before",
                       "--stop-after",
                       "--delay-on",
                       "3",
                       "--delay-off",
                       "1",
                       "--power-off-screen",
                       "before",
                       "--polarity-delay",
                       "2",
                       "--json"});
  ASSERT_FALSE(parsed.exitCode) << parsed.err;
  const auto& o = parsed.request.options;
  EXPECT_EQ(o.MeasType_get(), vti::emt_AC);
  EXPECT_EQ(o.TestStandard_get(), vti::ets353);
  EXPECT_EQ(o.TestVoltage_get(), vti::etv_250);
  EXPECT_EQ(o.IRDuration_get(), 5);
  EXPECT_EQ(o.WaveformType_get(), vti::ewt_Sine10);
  EXPECT_EQ(o.ECGDuration_get(), 4);
  EXPECT_TRUE(o.StopBeforeNewPC_get());
  EXPECT_TRUE(o.StopAfterNewPC_get());
  EXPECT_EQ(o.DelayTimePowerOn_get(), 3);
  EXPECT_EQ(o.DelayTimePowerOff_get(), 1);
  EXPECT_EQ(o.PowerOFFScreen_get(), vti::eepo_before);
  EXPECT_EQ(o.PolaritySwitchingDelay_get(), 2);
  EXPECT_TRUE(parsed.request.json);

  auto defaults = parse({"run", "p", "etcIRMains"});
  vti::CTrxTestOptions fresh;
  EXPECT_EQ(defaults.request.options.IRDuration_get(), fresh.IRDuration_get());
  EXPECT_EQ(defaults.request.options.DelayTimePowerOn_get(), fresh.DelayTimePowerOn_get());
  EXPECT_FALSE(defaults.request.options.StopBeforeNewPC_get());
}

TEST(CommandLine, QueryScanAndCalibrate) {
  EXPECT_EQ(parse({"query", "COM3"}).request.command, TrxctlRequest::Command::Query);
  EXPECT_EQ(parse({"query", "COM3"}).request.port, "COM3");
  EXPECT_EQ(parse({"scan"}).request.command, TrxctlRequest::Command::Scan);
  auto calibrate = parse({"calibrate", "/dev/ttyUSB0"});
  EXPECT_FALSE(calibrate.exitCode);
  EXPECT_EQ(calibrate.request.command, TrxctlRequest::Command::Calibrate);
}

}  // namespace
