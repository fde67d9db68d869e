#include "sim/AnalyzerModel.h"

#include <cstdio>
#include <set>

#include "sim/TextTools.h"

namespace sim {

namespace {

const char* const kAck = "*";
const std::vector<std::string> kLeadNames{"RA", "LL", "LA", "RL", "V1"};
const std::set<std::string> kWaveforms{"CPL30", "CPL60", "CPL120", "CPL180", "CPL240", "PLS30",
                                       "PLS60", "SQ125", "SQ2",    "SN10",   "SN40",   "SN50",
                                       "SN60",  "SN100", "TR2",    "VFIB"};

std::string hex(uint16_t word) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%04X", word);
  return buffer;
}

// The leads under test of an applied-part text: its first "/"-field, a comma list of lead
// names ("RA,LL"), socket numbers ("1") or "ALL".
std::vector<std::string> leadsOf(const std::string& appliedParts) {
  std::vector<std::string> leads;
  std::string first = appliedParts.substr(0, appliedParts.find('/'));
  for (const std::string& item : text_tools::split(first, ',')) {
    if (item == "ALL") return kLeadNames;
    auto socket = text_tools::count(item);
    if (socket && *socket >= 1 && *socket <= 5) {
      leads.push_back(kLeadNames[static_cast<size_t>(*socket - 1)]);
    } else {
      for (const std::string& name : kLeadNames) {
        if (item == name) leads.push_back(name);
      }
    }
  }
  return leads;
}

bool openClosed(const std::string& argument, bool& open) {
  if (argument != "O" && argument != "C") return false;
  open = argument == "O";
  return true;
}

}  // namespace

AnalyzerModel::AnalyzerModel(const Scenario& scenario)
    : m_scenario(scenario), m_device(scenario), m_frontPanelBusy(!scenario.ready) {}

std::string AnalyzerModel::execute(const std::string& command) {
  if (command == "STAT") return hex(stat());
  if (command == "STAT1") return hex(stat1());
  if (command == "STAT2") return hex(stat2());
  if (command == "STAT3") return hex(stat3());
  // Every other command ends a running reading stream.
  m_streaming = false;
  if (command == "\x1b") {
    m_insulationVoltage = false;
    m_waveform.clear();
    return kAck;
  }
  if (command == "EXIT") {
    leaveTestMode();
    return kAck;
  }
  if (command == "LOCAL") {
    leaveTestMode();
    m_remote = false;
    return kAck;
  }
  if (command == "REMOTE") {
    m_remote = true;
    m_frontPanelBusy = false;
    return kAck;
  }
  if (command == "GFIR") {
    m_groundFault = false;
    return kAck;
  }
  if (command == "OVR") {
    m_overVoltage = false;
    return kAck;
  }
  // A tripped interrupter or a detected over-voltage blocks everything until it is reset.
  if (m_groundFault) return "!50";
  if (m_overVoltage) return "!51";
  if (command == "IDENT") return "TRX 440," + m_scenario.firmware;
  if (command == "SN") return m_scenario.serial;
  if (!m_remote) {
    if (m_frontPanelBusy) return "!22";
    m_remote = true;
  }
  size_t eq = command.find('=');
  bool hasArgument = eq != std::string::npos;
  return operate(command.substr(0, eq), hasArgument ? command.substr(eq + 1) : "", hasArgument);
}

std::string AnalyzerModel::operate(const std::string& name, const std::string& argument,
                                   bool hasArgument) {
  // "MAP" selects a test mode, "MAP=..." sets one of its settings.
  if (const test_modes::TestMode* mode = test_modes::find(name)) {
    if (mode->needsArgument == hasArgument) return selectMode(*mode, argument);
    if (name != "MAP") return kBadArgument;
  }
  if (!hasArgument) {
    if (name == "READ") return read(false);
    if (name == "MREAD") return read(true);
    if (name == "ZERO") return zero();
    if (kWaveforms.count(name)) {
      if (!inMode({"ECG"})) return kWrongMode;
      m_waveform = name;
      return kAck;
    }
    return kUnknownCommand;
  }
  if (name == "STD") {
    static const std::set<std::string> standards{"AAMI", "353", "ASNZ", "601", "1010"};
    if (!standards.count(argument)) return kBadArgument;
    m_standard = argument;
    return kAck;
  }
  if (name == "RPTIME") {
    auto seconds = text_tools::count(argument);
    if (!seconds) return kBadArgument;
    m_polarityDelay = *seconds;
    return kAck;
  }
  if (name == "NOMINAL") {
    if (argument != "ON" && argument != "OFF") return kBadArgument;
    m_nominal = argument == "ON";
    return kAck;
  }
  if (name == "POL") return setOutletPolarity(argument);
  // The remaining settings belong to a test mode.
  static const std::set<std::string> settings{"INS", "NEUT", "EARTH",   "MODE",
                                              "AP",  "MAP",  "ALTEARTH"};
  if (!settings.count(name)) return kUnknownCommand;
  if (!m_mode) return kWrongMode;
  if (name == "INS") {
    if (!m_mode->insulation) return kWrongMode;
    if (argument != "LOW" && argument != "HIGH") return kBadArgument;
    m_insulationVoltage = true;
    return kAck;
  }
  if (name == "NEUT") return openClosed(argument, m_neutralOpen) ? kAck : kBadArgument;
  if (name == "EARTH") return openClosed(argument, m_earthOpen) ? kAck : kBadArgument;
  if (name == "ALTEARTH") {
    if (!inMode({"SAF"})) return kWrongMode;
    return openClosed(argument, m_altEarthOpen) ? kAck : kBadArgument;
  }
  if (name == "MODE") {
    if (argument != "AC" && argument != "DC" && argument != "ACDC") return kBadArgument;
    m_component = argument;
    return kAck;
  }
  if (name == "AP") {
    m_leads = leadsOf(argument);
    return kAck;
  }
  // MAP=
  if (!inMode({"MAP", "LEAD_ISO", "DMAP"})) return kWrongMode;
  static const std::set<std::string> mapSettings{"LOW", "NORM", "REV", "1MA", "7.5MA", "3.5MA"};
  if (!mapSettings.count(argument)) return kBadArgument;
  m_mapSetting = argument;
  return kAck;
}

std::string AnalyzerModel::selectMode(const test_modes::TestMode& mode,
                                      const std::string& argument) {
  if (mode.command == std::string("MAINS") && argument != "L1-L2" && argument != "L1-GND" &&
      argument != "L2-GND") {
    return kBadArgument;
  }
  if (mode.command == std::string("ERES") && argument != "LOW" && argument != "HIGH") {
    return kBadArgument;
  }
  resetModeSettings();
  m_mode = &mode;
  m_modeArgument = argument;
  if (mode.outlet == test_modes::Outlet::SwitchOff) m_power = Off;
  if (mode.outlet == test_modes::Outlet::SwitchOn && m_power == Off) m_power = Normal;
  return kAck;
}

std::string AnalyzerModel::setOutletPolarity(const std::string& argument) {
  if (argument == "OFF") {
    m_power = Off;
    return kAck;
  }
  if (argument != "N" && argument != "R") return kBadArgument;
  // The outlet powers the device only in the modes that measure it powered.
  if (!m_mode || m_mode->outlet == test_modes::Outlet::SwitchOff) return kWrongMode;
  m_power = argument == "N" ? Normal : Reversed;
  return kAck;
}

MeasurementContext AnalyzerModel::context() const {
  MeasurementContext c;
  c.quantity = m_mode->quantity;
  if (c.quantity == "MAINS") c.selector = m_modeArgument;
  c.leads = m_leads;
  if (m_power == Reversed) c.conditions.insert("reversed");
  if (m_neutralOpen) c.conditions.insert("open-neutral");
  if (m_earthOpen || (inMode({"SAF"}) && m_altEarthOpen)) c.conditions.insert("open-earth");
  if (m_mapSetting == "REV") c.conditions.insert("map-reversed");
  if (m_component == "AC") c.conditions.insert("ac");
  if (m_component == "DC") c.conditions.insert("dc");
  // Without its neutral the device draws no current, but leakage currents still flow.
  c.powered = m_power != Off && !(c.quantity == "EQCURR" && m_neutralOpen);
  return c;
}

std::string AnalyzerModel::read(bool stream) {
  if (!m_mode || !*m_mode->quantity) return kWrongMode;
  m_streaming = stream;
  return streamReading();
}

std::string AnalyzerModel::streamReading() {
  MeasurementContext c = context();
  // Resistances read through the test lead until it has been zeroed.
  if ((c.quantity == "ERES" || c.quantity == "PPR") && !m_leadZeroed) {
    MeasurementContext lead;
    lead.quantity = "ZERO";
    Reading r = m_device.measure(lead);
    if (r.kind == ReadingEntry::Value) c.addend = r.value;
  }
  return m_device.reading(c);
}

std::string AnalyzerModel::zero() {
  if (!inMode({"ERES", "PPR"})) return kWrongMode;
  if (!m_scenario.leadConnected) return "!32";
  MeasurementContext lead;
  lead.quantity = "ZERO";
  Reading r = m_device.measure(lead);
  // A lead of more than an ohm is broken or badly clamped: it cannot be nulled.
  if (r.kind == ReadingEntry::Value && r.value > 1.0) return "!33";
  if (r.kind == ReadingEntry::Value) m_leadZeroed = true;
  return m_device.print(r, "ZERO");
}

void AnalyzerModel::resetModeSettings() {
  m_mode = nullptr;
  m_modeArgument.clear();
  m_neutralOpen = false;
  m_earthOpen = false;
  m_leads.clear();
  m_component = "ACDC";
  m_mapSetting.clear();
  m_altEarthOpen = false;
  m_insulationVoltage = false;
  m_waveform.clear();
}

void AnalyzerModel::leaveTestMode() {
  resetModeSettings();
  m_power = Off;
  m_highVoltage = false;
}

bool AnalyzerModel::inMode(std::initializer_list<const char*> names) const {
  if (!m_mode) return false;
  for (const char* name : names) {
    if (m_mode->command == std::string(name)) return true;
  }
  return false;
}

void AnalyzerModel::tripGroundFault() {
  m_groundFault = true;
  m_streaming = false;
  m_power = Off;
}

void AnalyzerModel::detectOverVoltage() {
  m_overVoltage = true;
  m_streaming = false;
  m_power = Off;
}

void AnalyzerModel::enterHighVoltage() { m_highVoltage = true; }

std::string AnalyzerModel::outletText() const {
  if (m_power == Off) return "off";
  std::string text = m_power == Normal ? "normal" : "reversed";
  if (m_neutralOpen) text += ", open neutral";
  if (m_earthOpen) text += ", open earth";
  return text;
}

std::string AnalyzerModel::modeName() const { return m_mode ? m_mode->command : ""; }

uint16_t AnalyzerModel::stat() const {
  uint16_t word = 0;
  if (m_remote) word |= 0x0001;
  if (m_remote || !m_frontPanelBusy) word |= 0x0004;
  if (m_mode) word |= 0x0010;
  if (m_streaming) word |= 0x0020;
  return word;
}

uint16_t AnalyzerModel::stat1() const {
  uint16_t word = 0;
  if (!m_mode) word |= 0x0001;
  if (!m_waveform.empty()) word |= 0x0002;
  return word;
}

uint16_t AnalyzerModel::stat2() const {
  uint16_t word = 0;
  if (m_power != Off) word |= 0x0008;
  if (m_power == Reversed) word |= 0x0200;
  if (m_power != Off && m_neutralOpen) word |= 0x0010;
  if (m_power != Off && m_earthOpen) word |= 0x0020;
  if (m_insulationVoltage) word |= 0x0040;
  if (m_highVoltage) word |= 0x3000;
  return word;
}

uint16_t AnalyzerModel::stat3() const {
  uint16_t word = 0;
  if (m_overVoltage) word |= 0x2000;
  if (m_groundFault) word |= 0x4000;
  return word;
}

}  // namespace sim
