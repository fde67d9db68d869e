#include "sim/DeviceUnderTest.h"

#include "platform/NumberPattern.h"
#include "sim/TestModes.h"

namespace sim {

namespace {

// A healthy class I device under test: well inside every limit.
const std::vector<ReadingEntry>& builtInReadings() {
  static const std::vector<ReadingEntry> readings = [] {
    std::vector<ReadingEntry> r;
    auto add = [&r](const char* quantity, const char* selector, double value) {
      r.push_back(ReadingEntry{quantity, selector, {}, ReadingEntry::Value, value});
    };
    add("MAINS", "L1-L2", 230.0);
    add("MAINS", "L1-GND", 229.6);
    add("MAINS", "L2-GND", 0.4);
    add("ERES", "", 0.085);
    add("ZERO", "", 0.021);
    add("MINS", "", 185.0);
    add("APINS", "", 210.0);
    add("INSE", "", 240.0);
    add("INSB", "", 195.0);
    add("INSD", "", 260.0);
    add("EARTHL", "", 180.0);
    add("ENCL", "", 8.0);
    add("PAT", "", 1.5);   // per lead
    add("AUX", "", 1.0);   // per lead
    add("MAP", "", 6.0);   // per lead
    add("DMAP", "", 7.0);  // per lead
    add("SPAT", "", 2.0);  // per lead
    add("PPV", "", 0.2);
    add("PPR", "", 0.050);
    add("PPL", "", 3.0);
    add("EQCURR", "", 0.45);
    add("SAF", "", 160.0);
    add("DIFF", "", 175.0);
    add("DIRL", "", 190.0);
    return r;
  }();
  return readings;
}

// Single-fault conditions raise leakage currents; reversed mains changes them a little; the
// AC part is nearly all of a mains-frequency leakage current, the DC part a small rest.
const std::vector<FactorEntry>& builtInFactors() {
  static const std::vector<FactorEntry> factors{{"reversed", "", 1.08},
                                                {"open-neutral", "", 1.9},
                                                {"open-earth", "", 4.0},
                                                {"open-earth", "ENCL", 20.0},
                                                {"map-reversed", "", 1.02},
                                                {"ac", "", 0.99},
                                                {"dc", "", 0.05}};
  return factors;
}

bool isLeakage(const std::string& quantity) { return test_modes::unitOf(quantity) == "uA"; }

}  // namespace

DeviceUnderTest::DeviceUnderTest(const Scenario& scenario)
    : m_readings(scenario.readings),
      m_scenarioCount(scenario.readings.size()),
      m_factors(scenario.factors),
      m_milliampsFrom(scenario.milliampsFrom),
      m_noise(scenario.noise),
      m_random(scenario.seed == 0 ? 1 : scenario.seed) {
  m_readings.insert(m_readings.end(), builtInReadings().begin(), builtInReadings().end());
  m_factors.insert(m_factors.end(), builtInFactors().begin(), builtInFactors().end());
}

Reading DeviceUnderTest::measure(const MeasurementContext& context) {
  const test_modes::TestMode* mode = test_modes::findQuantity(context.quantity);
  if (mode && mode->needsPower && !context.powered) return Reading{ReadingEntry::Value, 0};
  Reading total;
  if (mode && mode->perLead && !context.leads.empty()) {
    // Leads connected together carry the sum of their leakage currents.
    for (const std::string& lead : context.leads) {
      Reading one = resolve(context.quantity, lead, context.conditions);
      if (one.kind != ReadingEntry::Value) return one;
      total.value += one.value;
    }
  } else {
    total = resolve(context.quantity, context.selector, context.conditions);
    if (total.kind != ReadingEntry::Value) return total;
  }
  total.value = total.value * spread() + context.addend;
  return total;
}

Reading DeviceUnderTest::resolve(const std::string& quantity, const std::string& selector,
                                 const std::set<std::string>& conditions) const {
  // The entry that says most: its own lead or pair first, then the scenario's over the
  // built-in values, then the most conditions.
  const ReadingEntry* best = nullptr;
  long bestScore = -1;
  for (size_t i = 0; i < m_readings.size(); ++i) {
    const ReadingEntry& entry = m_readings[i];
    if (entry.quantity != quantity) continue;
    if (!entry.selector.empty() && entry.selector != selector) continue;
    bool covered = true;
    for (const std::string& c : entry.conditions) covered = covered && conditions.count(c);
    if (!covered) continue;
    long score = (entry.selector.empty() ? 0 : 10000) + (i < m_scenarioCount ? 1000 : 0) +
                 static_cast<long>(entry.conditions.size());
    if (score > bestScore) {
      best = &entry;
      bestScore = score;
    }
  }
  if (!best) return Reading{ReadingEntry::NoReading, 0};
  Reading result{best->kind, best->value};
  if (result.kind == ReadingEntry::Value && isLeakage(quantity)) {
    for (const std::string& c : conditions) {
      if (!best->conditions.count(c)) result.value *= factor(c, quantity);
    }
  }
  return result;
}

double DeviceUnderTest::factor(const std::string& condition, const std::string& quantity) const {
  const FactorEntry* general = nullptr;
  for (const FactorEntry& entry : m_factors) {
    if (entry.condition != condition) continue;
    if (entry.quantity == quantity) return entry.factor;
    if (entry.quantity.empty() && !general) general = &entry;
  }
  return general ? general->factor : 1.0;
}

double DeviceUnderTest::spread() {
  if (m_noise <= 0) return 1.0;
  // xorshift: deterministic per seed, so a noisy scenario still replays exactly.
  m_random ^= m_random << 13;
  m_random ^= m_random >> 17;
  m_random ^= m_random << 5;
  double unit = static_cast<double>(m_random % 20001) / 10000.0 - 1.0;  // -1 .. 1
  return 1.0 + m_noise * unit;
}

std::string DeviceUnderTest::print(const Reading& reading, const std::string& quantity) const {
  if (reading.kind == ReadingEntry::NoReading) return "!32";
  if (reading.kind == ReadingEntry::Overflow) return "!21";
  const std::string unit = test_modes::unitOf(quantity);
  double value = reading.value < 0 ? 0 : reading.value;
  // The analyzer writes its readings with "." whatever the locale of the program around it.
  if (unit == "uA" && value >= m_milliampsFrom)
    return platform::Format(value / 1000.0, "0.000") + " mA";
  if (unit == "Ohm") return platform::Format(value, "0.000") + " Ohm";
  if (unit == "A") return platform::Format(value, "0.00") + " A";
  return platform::Format(value, "0.0") + " " + unit;
}

}  // namespace sim
