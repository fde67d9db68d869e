#include "apps/trxctl/CommandLine.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <stdexcept>

#include "apps/common/EnumNames.h"
#include "apps/trxctl/AppliedPartText.h"
#include "apps/trxctl/ListCommand.h"
#include "driver/CTrxSafetyTest.h"

namespace trxctl {

namespace {

// The words an option accepts and the values they stand for, in the order help lists them.
using Choices = std::vector<std::pair<std::string, int>>;

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
  const auto powers = ListCommand::validPowers(code);
  if (powers.empty()) return std::nullopt;
  return powers.front();
}

std::string validPowers(vti::ETrxTestCode code) {
  std::string list;
  for (auto config : ListCommand::validPowers(code)) {
    list += (list.empty() ? "" : ", ") + apps::EnumNames::powerConfigName(config);
  }
  return list;
}

// "acdc, ac or dc"
std::string wordList(const Choices& choices) {
  std::string list;
  for (size_t i = 0; i < choices.size(); ++i) {
    list += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i].first;
  }
  return list;
}

std::string wordFor(const Choices& choices, int value) {
  for (const auto& [word, choice] : choices) {
    if (choice == value) return word;
  }
  return std::to_string(value);
}

// Turns the word into its value before the option converts it; anything else is answered with
// the words that would do (CLI11's own text shows its internal map).
CLI::Validator choiceOf(const Choices& choices) {
  return CLI::Validator(
      [choices](std::string& text) -> std::string {
        for (const auto& [word, value] : choices) {
          if (CLI::detail::to_lower(text) == word) {
            text = std::to_string(value);
            return {};
          }
        }
        return "\"" + text + "\" is not one of " + wordList(choices);
      },
      "");
}

// Checks a whole number and its range before the option converts it, so that "abc" is called
// what it is instead of a failed conversion.
CLI::Validator wholeNumber(int32_t min, int32_t max) {
  return CLI::Validator(
      [min, max](std::string& text) -> std::string {
        int32_t value = 0;
        const char* end = text.data() + text.size();
        auto [stop, error] = std::from_chars(text.data(), end, value);
        if (text.empty() || error != std::errc() || stop != end) {
          return "\"" + text + "\" is not a number";
        }
        if (value < min || value > max) {
          return text + " is out of range (" + std::to_string(min) + ".." + std::to_string(max) +
                 ")";
        }
        return {};
      },
      "");
}

template <typename T>
void addChoice(CLI::App& command, const std::string& name, T& target, const Choices& choices,
               const std::string& help) {
  const std::string words = wordList(choices);
  auto* option = command.add_option_function<int>(
      name, [&target](int value) { target = static_cast<T>(value); },
      help + ": " + words + " (default: " + wordFor(choices, target) + ")");
  option->option_text("WORD");
  option->transform(choiceOf(choices));
}

// A whole-number option; help shows its unit, range and default (`defaultText`, else the value
// `target` holds now).
void addNumber(CLI::App& command, const std::string& name, int32_t& target, const char* unit,
               std::pair<int32_t, int32_t> range, const std::string& help,
               const std::string& defaultText = "") {
  const auto [min, max] = range;
  const std::string shownDefault = defaultText.empty() ? std::to_string(target) : defaultText;
  command
      .add_option(name, target,
                  help + ", " + std::to_string(min) + ".." + std::to_string(max) +
                      " (default: " + shownDefault + ")")
      ->option_text(unit)
      ->check(wholeNumber(min, max));
}

}  // namespace

PlannedTest CommandLine::planTest(const std::string& testItem, const std::string& defaultPower,
                                  int32_t lead, const std::string& appliedPart) {
  size_t colon = testItem.find(':');
  std::string testText = testItem.substr(0, colon);
  std::string powerText = colon == std::string::npos ? defaultPower : testItem.substr(colon + 1);
  auto code = apps::EnumNames::parseTestCode(testText);
  if (!code)
    throw std::invalid_argument("unknown test \"" + testText +
                                "\" (etcMains..etcECGTest or 1..22)");
  PlannedTest test;
  test.code = *code;
  if (powerText.empty()) {
    test.power = *usualPower(*code);
  } else {
    auto power = apps::EnumNames::parsePowerConfig(powerText);
    if (!power)
      throw std::invalid_argument("unknown power configuration \"" + powerText +
                                  "\" (epcOff..epcAccessOERM or 1..16)");
    test.power = *power;
  }
  auto testLead = vti::CTrxSafetyTest::LeadNoOf(test.code, test.power);
  if (!testLead) {
    throw std::invalid_argument(apps::EnumNames::testCodeName(test.code) + " cannot run with " +
                                apps::EnumNames::powerConfigName(test.power) + "; it accepts " +
                                validPowers(test.code));
  }
  test.lead = lead < -1 ? *testLead : lead;
  // Without an applied-part text the test takes its lead by socket number, or every lead.
  test.appliedPart = !appliedPart.empty()               ? appliedPart
                     : test.lead >= vti::TRX_LEAD_FIRST ? std::to_string(test.lead)
                                                        : "ALL";
  return test;
}

namespace {

// What the run command's options read, before they become the request's test options.
struct RunArguments {
  explicit RunArguments(const vti::CTrxTestOptions& o)
      : waveform(o.WaveformType_get()),
        irDuration(o.IRDuration_get()),
        ecgDuration(o.ECGDuration_get()),
        delayOn(o.DelayTimePowerOn_get()),
        delayOff(o.DelayTimePowerOff_get()),
        polarityDelay(o.PolaritySwitchingDelay_get()),
        meas(o.MeasType_get()),
        standard(o.TestStandard_get()),
        voltage(o.TestVoltage_get()),
        powerOffScreen(o.PowerOFFScreen_get()) {}

  void applyTo(TrxctlRequest& r) const;

  std::vector<std::string> testItems;
  std::string power, appliedPart;
  int32_t lead = kTestLead;
  int32_t waveform, irDuration, ecgDuration, delayOn, delayOff, polarityDelay;
  bool stopBefore = false, stopAfter = false;
  vti::EMeasType meas;
  vti::ETrxTestStd standard;
  vti::ETestVoltage voltage;
  vti::ETrxPowerOFFScreen powerOffScreen;
};

void RunArguments::applyTo(TrxctlRequest& r) const {
  for (const auto& testItem : testItems)
    r.tests.push_back(CommandLine::planTest(testItem, power, lead, appliedPart));
  auto& o = r.options;
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
}

void addAnswersOption(CLI::App& command, std::string& file, const std::string& help) {
  command.add_option("--answers", file, help)->option_text("FILE")->check(CLI::ExistingFile);
}

// The commands that only need a port (or a list of them).
std::vector<std::pair<CLI::App*, TrxctlRequest::Command>> addPortCommands(CLI::App& app,
                                                                          TrxctlRequest& r) {
  auto* query = app.add_subcommand("query", "Ask whether an analyzer answers on PORT");
  query->add_option("PORT", r.port, "Device path (/dev/ttyUSB0) or port number (3, COM3)")
      ->required();
  auto* scan = app.add_subcommand(
      "scan",
      "Ask the given ports, else the ports of the port table and the USB serial adapters "
      "(/dev/serial/by-id/*, /dev/ttyUSB*, /dev/ttyACM*), one line each");
  scan->add_option("PORT", r.scanPorts,
                   "Ports to ask (device paths, pseudo-terminals or port numbers)");
  scan->add_flag("--all", r.scanAll,
                 "Also ask the other serial lines (/dev/ttyS*, /dev/ttyAMA*): each that opens "
                 "receives \"LOCAL\" and ESC, whatever is attached");
  auto* resetTrip = app.add_subcommand(
      "reset-trip", "Reset the analyzer's tripped ground-fault interrupter (sends GFIR)");
  resetTrip->add_option("PORT", r.port, "Device path or port number")->required();
  auto* list = app.add_subcommand(
      "list",
      "List every test: what it measures, its unit and the power configurations it runs in");
  auto* calibrate = app.add_subcommand("calibrate", "Zero the resistance test lead");
  calibrate->add_option("PORT", r.port, "Device path or port number")->required();
  addAnswersOption(*calibrate, r.answersFile, "Answer prompts from this file");
  return {{query, TrxctlRequest::Command::Query},
          {scan, TrxctlRequest::Command::Scan},
          {resetTrip, TrxctlRequest::Command::ResetTrip},
          {list, TrxctlRequest::Command::List},
          {calibrate, TrxctlRequest::Command::Calibrate}};
}

void addTestSelection(CLI::App& run, RunArguments& a) {
  run.add_option("TEST", a.testItems,
                 "Tests to run in order, each TEST[:PC]: a test code (etcPatLeak or 10) with an "
                 "optional power configuration (epcNCRM or 6)")
      ->required();
  run.add_option("--power", a.power,
                 "Power configuration of the tests that name none (epcNCRM or 6; default: each "
                 "test's usual one)")
      ->option_text("PC");
  run.add_option("--ap", a.appliedPart,
                 "Applied-part text of the tests (\"RA,LL\", \"ALL\"; default: the lead's "
                 "socket number, or ALL)")
      ->option_text("TEXT")
      ->check(CLI::Validator(AppliedPartText::problem, ""));
  addNumber(run, "--lead", a.lead, "N", {-1, 5},
            "Lead: -1 none, 0 all, else the number of one lead", "the test's own");
}

void addTestOptions(CLI::App& run, RunArguments& a) {
  addChoice(run, "--meas", a.meas, kMeasTypes, "Component measured");
  addChoice(run, "--standard", a.standard, kStandards, "Standard the analyzer applies");
  addChoice(run, "--voltage", a.voltage, kVoltages, "Insulation test voltage in volts");
  addNumber(run, "--ir-duration", a.irDuration, "SECONDS", {1, 3600},
            "Insulation test duration in seconds");
  addNumber(run, "--waveform", a.waveform, "N", {0, 15}, "ECG waveform");
  addNumber(run, "--ecg-duration", a.ecgDuration, "SECONDS", {0, 3600},
            "ECG waveform duration in seconds");
  run.add_flag("--stop-before", a.stopBefore, "Ask the operator before each power change");
  run.add_flag("--stop-after", a.stopAfter, "Ask the operator after each power change");
  addNumber(run, "--delay-on", a.delayOn, "SECONDS", {0, 3600},
            "Seconds to wait after the device is powered on");
  addNumber(run, "--delay-off", a.delayOff, "SECONDS", {0, 3600},
            "Seconds to wait after the device is powered off");
  addChoice(run, "--power-off-screen", a.powerOffScreen, kPowerOffScreens,
            "Power-change prompt after or before the command");
  addNumber(run, "--polarity-delay", a.polarityDelay, "SECONDS", {0, 60},
            "Polarity switching delay in seconds");
}

}  // namespace

std::optional<int> CommandLine::parse(int argc, const char* const argv[], std::ostream& out,
                                      std::ostream& err) {
  CLI::App app{"Runs electrical-safety tests on a TRX440 safety analyzer over a serial line"};
  app.require_subcommand(1);
  TrxctlRequest& r = m_request;
  auto portCommands = addPortCommands(app, r);

  auto* run = app.add_subcommand("run", "Run one or more safety tests in one connection");
  RunArguments arguments(r.options);
  run->add_option("PORT", r.port, "Device path or port number")->required();
  addTestSelection(*run, arguments);
  addTestOptions(*run, arguments);
  addAnswersOption(*run, r.answersFile, "Answer prompts from this file (unattended runs)");
  run->add_flag("--json", r.json, "Print one JSON object a test");

  try {
    app.parse(argc, argv);
    if (run->parsed()) {
      r.command = TrxctlRequest::Command::Run;
      arguments.applyTo(r);
    }
    for (const auto& [command, kind] : portCommands) {
      if (command->parsed()) r.command = kind;
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
