#include "sim/ScenarioParser.h"

#include <sstream>
#include <stdexcept>

#include "sim/TestModes.h"
#include "sim/TextTools.h"

namespace sim {

namespace {

using namespace text_tools;

const std::set<std::string> kConditions{"reversed",     "open-neutral", "open-earth",
                                        "map-reversed", "ac",           "dc"};
const std::set<std::string> kSelectors{"RA", "LL", "LA", "RL", "V1", "L1-L2", "L1-GND", "L2-GND"};

bool yesNo(const std::string& value) {
  if (value == "yes" || value == "true") return true;
  if (value == "no" || value == "false") return false;
  throw std::invalid_argument("expected yes or no, not \"" + value + "\"");
}

double positiveNumber(const std::string& value) {
  auto n = number(value);
  if (!n || *n < 0) throw std::invalid_argument("expected a number, not \"" + value + "\"");
  return *n;
}

// "12.5 uA", "0.4 mA", "230 V", "none", "overflow": into the entry, leakage in microamperes.
void readValue(const std::string& value, ReadingEntry& entry) {
  if (value == "none") {
    entry.kind = ReadingEntry::NoReading;
    return;
  }
  if (value == "overflow") {
    entry.kind = ReadingEntry::Overflow;
    return;
  }
  std::vector<std::string> w = words(value);
  if (w.empty() || w.size() > 2) throw std::invalid_argument("expected a value and a unit");
  auto n = number(w[0]);
  if (!n) throw std::invalid_argument("not a number: \"" + w[0] + "\"");
  const std::string expected = test_modes::unitOf(entry.quantity);
  std::string unit = w.size() == 2 ? w[1] : expected;
  double scale = 1;
  if (expected == "uA" && unit == "mA")
    scale = 1000;
  else if (unit != expected) {
    throw std::invalid_argument(entry.quantity + " is given in " +
                                (expected == "uA" ? std::string("uA or mA") : expected));
  }
  entry.value = *n * scale;
}

}  // namespace

ScenarioParser::ScenarioParser(std::string origin) : m_origin(std::move(origin)) {}

Scenario ScenarioParser::parse(const std::string& text) {
  std::istringstream in(text);
  std::string raw;
  std::string section;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    std::string content = trim(raw);
    if (content.empty() || content.front() == '#') continue;
    // "#" also starts an occurrence in the faults section ("READ #2"); there a comment after a
    // rule is a "#" between blanks.
    content = trim(content.substr(0, content.find(section == "faults" ? " # " : "#")));
    try {
      if (content.front() == '[') {
        if (content.back() != ']') throw std::invalid_argument("unclosed section header");
        section = trim(content.substr(1, content.size() - 2));
        static const std::set<std::string> known{"analyzer", "timing", "device", "factors",
                                                 "faults"};
        if (!known.count(section)) throw std::invalid_argument("unknown section " + section);
        continue;
      }
      // The first " = " separates: keys hold "=" only in commands ("POL=R #1 = !22").
      size_t eq = content.find(" = ");
      if (eq == std::string::npos)
        eq = content.find('=');
      else
        eq += 1;
      if (eq == std::string::npos) throw std::invalid_argument("expected \"key = value\"");
      if (section.empty()) throw std::invalid_argument("a line before the first section");
      line(section, trim(content.substr(0, eq)), trim(content.substr(eq + 1)));
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument(m_origin + ":" + std::to_string(number) + ": " + e.what());
    }
  }
  return std::move(m_scenario);
}

void ScenarioParser::line(const std::string& section, const std::string& key,
                          const std::string& value) {
  if (section == "analyzer")
    analyzer(key, value);
  else if (section == "timing")
    timing(key, value);
  else if (section == "device")
    device(key, value);
  else if (section == "factors")
    factor(key, value);
  else
    m_scenario.faults.add(key, value);
}

void ScenarioParser::analyzer(const std::string& key, const std::string& value) {
  Scenario& s = m_scenario;
  if (key == "title")
    s.title = value;
  else if (key == "firmware")
    s.firmware = value;
  else if (key == "serial")
    s.serial = value;
  else if (key == "ready")
    s.ready = yesNo(value);
  else if (key == "lead") {
    if (value != "connected" && value != "open") {
      throw std::invalid_argument("lead is connected or open");
    }
    s.leadConnected = value == "connected";
  } else if (key == "milliamps from") {
    ReadingEntry limit{"ENCL", "", {}, ReadingEntry::Value, 0};
    readValue(value, limit);
    s.milliampsFrom = limit.value;
  } else if (key == "noise") {
    std::string t = value;
    bool percent = !t.empty() && t.back() == '%';
    if (percent) t.pop_back();
    s.noise = positiveNumber(t) / (percent ? 100.0 : 1.0);
  } else if (key == "seed") {
    s.seed = static_cast<unsigned>(positiveNumber(value));
  } else {
    throw std::invalid_argument("unknown analyzer setting \"" + key + "\"");
  }
}

void ScenarioParser::timing(const std::string& key, const std::string& value) {
  if (key == "processing")
    m_scenario.processing = duration(value);
  else if (key == "stream")
    m_scenario.streamInterval =
        std::max(duration(value), platform::Duration(std::chrono::milliseconds(1)));
  else if (key == upper(key) && words(key).size() == 1) {
    m_scenario.processingPerCommand[key] = duration(value);
  } else {
    throw std::invalid_argument("unknown timing \"" + key + "\"");
  }
}

void ScenarioParser::device(const std::string& key, const std::string& value) {
  std::vector<std::string> w = words(key);
  ReadingEntry entry;
  entry.quantity = w.at(0);
  if (!test_modes::isQuantity(entry.quantity)) {
    throw std::invalid_argument("unknown quantity \"" + entry.quantity + "\"");
  }
  for (size_t i = 1; i < w.size(); ++i) {
    if (kConditions.count(w[i])) {
      entry.conditions.insert(w[i]);
    } else if (kSelectors.count(w[i]) && entry.selector.empty()) {
      entry.selector = w[i];
    } else {
      throw std::invalid_argument("\"" + w[i] +
                                  "\" is neither a lead, a mains pair nor a condition");
    }
  }
  readValue(value, entry);
  m_scenario.readings.push_back(std::move(entry));
}

void ScenarioParser::factor(const std::string& key, const std::string& value) {
  std::vector<std::string> w = words(key);
  FactorEntry entry;
  entry.condition = w.at(0);
  if (!kConditions.count(entry.condition)) {
    throw std::invalid_argument("unknown condition \"" + entry.condition + "\"");
  }
  if (w.size() > 2) throw std::invalid_argument("a factor names a condition and a quantity");
  if (w.size() == 2) {
    entry.quantity = w[1];
    if (!test_modes::isQuantity(entry.quantity)) {
      throw std::invalid_argument("unknown quantity \"" + entry.quantity + "\"");
    }
  }
  entry.factor = positiveNumber(value);
  m_scenario.factors.push_back(std::move(entry));
}

}  // namespace sim
