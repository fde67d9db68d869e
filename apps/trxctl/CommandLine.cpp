#include "apps/trxctl/CommandLine.h"

#include <CLI/CLI.hpp>
#include <map>
#include <stdexcept>

#include "apps/trxctl/EnumNames.h"
#include "driver/CTrxSafetyTest.h"

namespace trxctl {

namespace {

using Choices = std::map<std::string, int>;

const Choices kMeasTypes{{"acdc", vti::emt_ACDC}, {"ac", vti::emt_AC}, {"dc", vti::emt_DC}};
const Choices kStandards{{"none", vti::etsNONE},
                         {"aami", vti::etsAAMI},
                         {"601", vti::ets601},
                         {"353", vti::ets353},
                         {"asnz", vti::etsASNZ}};
const Choices kVoltages{{"500", vti::etv_500}, {"250", vti::etv_250}};
const Choices kPowerOffScreens{{"after", vti::eepo_After}, {"before", vti::eepo_before}};

constexpr int kTestLead = -2;  // no --lead: the test's own lead number

// The configuration a test runs in when the command line names none: the usual, powered
// condition where the test has one, else the first the test accepts.
std::optional<vti::ETrxPowerConfiguration> usualPower(vti::ETrxTestCode code) {
  for (auto pc : {vti::epcNC, vti::epcOff}) {
    if (vti::CTrxSafetyTest::LeadNoOf(code, pc)) return pc;
  }
  for (int32_t pc = vti::epcOff; pc <= vti::epcAccessOERM; ++pc) {
    auto config = static_cast<vti::ETrxPowerConfiguration>(pc);
    if (vti::CTrxSafetyTest::LeadNoOf(code, config)) return config;
  }
  return std::nullopt;
}

std::string validPowers(vti::ETrxTestCode code) {
  std::string list;
  for (int32_t pc = vti::epcOff; pc <= vti::epcAccessOERM; ++pc) {
    auto config = static_cast<vti::ETrxPowerConfiguration>(pc);
    if (!vti::CTrxSafetyTest::LeadNoOf(code, config)) continue;
    list += (list.empty() ? "" : ", ") + EnumNames::powerConfigName(config);
  }
  return list;
}

template <typename T>
void addChoice(CLI::App& command, const std::string& name, T& target, const Choices& choices,
               const std::string& help) {
  auto* option = command.add_option_function<int>(
      name, [&target](int value) { target = static_cast<T>(value); }, help);
  option->transform(CLI::CheckedTransformer(choices, CLI::ignore_case));
}

}  // namespace

PlannedTest CommandLine::planTest(const std::string& testItem, const std::string& defaultPower,
                                  int32_t lead, const std::string& appliedPart) {
  size_t colon = testItem.find(':');
  std::string testText = testItem.substr(0, colon);
  std::string powerText = colon == std::string::npos ? defaultPower : testItem.substr(colon + 1);
  auto code = EnumNames::parseTestCode(testText);
  if (!code)
    throw std::invalid_argument("unknown test \"" + testText +
                                "\" (etcMains..etcECGTest or 1..22)");
  PlannedTest test;
  test.code = *code;
  if (powerText.empty()) {
    test.power = *usualPower(*code);
  } else {
    auto power = EnumNames::parsePowerConfig(powerText);
    if (!power)
      throw std::invalid_argument("unknown power configuration \"" + powerText +
                                  "\" (epcOff..epcAccessOERM or 1..16)");
    test.power = *power;
  }
  auto testLead = vti::CTrxSafetyTest::LeadNoOf(test.code, test.power);
  if (!testLead) {
    throw std::invalid_argument(EnumNames::testCodeName(test.code) + " cannot run with " +
                                EnumNames::powerConfigName(test.power) + "; it accepts " +
                                validPowers(test.code));
  }
  test.lead = lead < -1 ? *testLead : lead;
  // Without an applied-part text the test takes its lead by socket number, or every lead.
  test.appliedPart = !appliedPart.empty()               ? appliedPart
                     : test.lead >= vti::TRX_LEAD_FIRST ? std::to_string(test.lead)
                                                        : "ALL";
  return test;
}

std::optional<int> CommandLine::parse(int argc, const char* const argv[], std::ostream& out,
                                      std::ostream& err) {
  CLI::App app{"Runs electrical-safety tests on a TRX440 safety analyzer over a serial line"};
  app.require_subcommand(1);
  TrxctlRequest& r = m_request;

  auto* query = app.add_subcommand("query", "Ask whether an analyzer answers on PORT");
  query->add_option("PORT", r.port, "Device path (/dev/ttyUSB0) or port number (3, COM3)")
      ->required();

  app.add_subcommand("scan",
                     "Ask every serial port of this machine that opens (/dev/ttyUSB*, "
                     "/dev/ttyACM*, /dev/ttyS*), one line each");

  auto* list = app.add_subcommand(
      "list",
      "List every test: what it measures, its unit and the power configurations it runs in");

  auto* calibrate = app.add_subcommand("calibrate", "Zero the resistance test lead");
  calibrate->add_option("PORT", r.port, "Device path or port number")->required();
  calibrate->add_option("--answers", r.answersFile, "Answer prompts from this file")
      ->check(CLI::ExistingFile);

  auto* run = app.add_subcommand("run", "Run one or more safety tests in one connection");
  std::vector<std::string> testItems;
  std::string power, appliedPart;
  int32_t lead = kTestLead;
  auto& o = r.options;
  int32_t waveform = o.WaveformType_get(), irDuration = o.IRDuration_get(),
          ecgDuration = o.ECGDuration_get(), delayOn = o.DelayTimePowerOn_get(),
          delayOff = o.DelayTimePowerOff_get(), polarityDelay = o.PolaritySwitchingDelay_get();
  bool stopBefore = false, stopAfter = false;
  vti::EMeasType meas = o.MeasType_get();
  vti::ETrxTestStd standard = o.TestStandard_get();
  vti::ETestVoltage voltage = o.TestVoltage_get();
  vti::ETrxPowerOFFScreen powerOffScreen = o.PowerOFFScreen_get();

  run->add_option("PORT", r.port, "Device path or port number")->required();
  run->add_option("TEST", testItems,
                  "Tests to run in order, each TEST[:PC]: a test code (etcPatLeak or 10) with an "
                  "optional power configuration (epcNCRM or 6)")
      ->required();
  run->add_option("--power", power, "Power configuration of the tests that name none");
  run->add_option("--ap", appliedPart, "Applied-part text of the tests (\"RA,LL\", \"ALL\")");
  run->add_option("--lead", lead, "Lead number: -1 none, 0 all, 1..5 one lead")
      ->check(CLI::Range(-1, 5));
  addChoice(*run, "--meas", meas, kMeasTypes, "Component measured: acdc, ac or dc");
  addChoice(*run, "--standard", standard, kStandards,
            "Standard the analyzer applies: none, aami, 601, 353 or asnz");
  addChoice(*run, "--voltage", voltage, kVoltages, "Insulation test voltage: 500 or 250");
  run->add_option("--ir-duration", irDuration, "Insulation test duration in seconds")
      ->check(CLI::Range(1, 3600));
  run->add_option("--waveform", waveform, "ECG waveform 0..15")->check(CLI::Range(0, 15));
  run->add_option("--ecg-duration", ecgDuration, "ECG waveform duration in seconds")
      ->check(CLI::Range(0, 3600));
  run->add_flag("--stop-before", stopBefore, "Ask the operator before each power change");
  run->add_flag("--stop-after", stopAfter, "Ask the operator after each power change");
  run->add_option("--delay-on", delayOn, "Seconds to wait after the device is powered on")
      ->check(CLI::Range(0, 3600));
  run->add_option("--delay-off", delayOff, "Seconds to wait after the device is powered off")
      ->check(CLI::Range(0, 3600));
  addChoice(*run, "--power-off-screen", powerOffScreen, kPowerOffScreens,
            "Power-change prompt after or before the command: after, before");
  run->add_option("--polarity-delay", polarityDelay, "Polarity switching delay in seconds")
      ->check(CLI::Range(0, 60));
  run->add_option("--answers", r.answersFile, "Answer prompts from this file (unattended runs)")
      ->check(CLI::ExistingFile);
  run->add_flag("--json", r.json, "Print one JSON object a test");

  try {
    app.parse(argc, argv);
    if (run->parsed()) {
      r.command = TrxctlRequest::Command::Run;
      for (const auto& testItem : testItems)
        r.tests.push_back(planTest(testItem, power, lead, appliedPart));
      o.MeasType_let(meas);
      o.TestStandard_let(standard);
      o.TestVoltage_let(voltage);
      o.IRDuration_let(irDuration);
      o.WaveformType_let(static_cast<vti::EWaveformType>(waveform));
      o.ECGDuration_let(ecgDuration);
      o.StopBeforeNewPC_let(stopBefore);
      o.StopAfterNewPC_let(stopAfter);
      o.DelayTimePowerOn_let(delayOn);
      o.DelayTimePowerOff_let(delayOff);
      o.PowerOFFScreen_let(powerOffScreen);
      o.PolaritySwitchingDelay_let(polarityDelay);
    } else if (calibrate->parsed()) {
      r.command = TrxctlRequest::Command::Calibrate;
    } else if (list->parsed()) {
      r.command = TrxctlRequest::Command::List;
    } else if (query->parsed()) {
      r.command = TrxctlRequest::Command::Query;
    } else {
      r.command = TrxctlRequest::Command::Scan;
    }
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e, out, err);
    return code == static_cast<int>(CLI::ExitCodes::Success) ? kExitSuccess : kExitUsage;
  } catch (const std::invalid_argument& e) {
    err << "trxctl run: " << e.what() << '\n';
    return kExitUsage;
  }
  return std::nullopt;
}

}  // namespace trxctl
