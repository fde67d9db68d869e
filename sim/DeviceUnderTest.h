#pragma once

#include <set>
#include <string>
#include <vector>

#include "sim/Scenario.h"

namespace sim {

// What the analyzer is measuring right now.
struct MeasurementContext {
  std::string quantity;              // reading key: "PAT", "MAINS", "ZERO", ...
  std::string selector;              // the mains pair of MAINS
  std::vector<std::string> leads;    // the leads under test of a per-lead quantity
  std::set<std::string> conditions;  // "reversed", "open-neutral", "open-earth", "ac", ...
  bool powered = true;               // whether the device under test gets mains power
  double addend = 0;                 // added to the value (the test lead before it is zeroed)
};

// A reading before the analyzer prints it.
struct Reading {
  ReadingEntry::Kind kind = ReadingEntry::Value;
  double value = 0;
};

// The device under test connected to the analyzer, with the values of its scenario (and a
// plausible healthy class I device for everything the scenario leaves out). A leakage current
// under a condition without a value of its own is the normal value times the condition's
// factor, so reversed mains, open neutral and open earth change readings plausibly.
class DeviceUnderTest {
 public:
  explicit DeviceUnderTest(const Scenario& scenario);

  Reading measure(const MeasurementContext& context);
  // The reading as the analyzer prints it: "12.3 uA", "0.250 mA", "230.1 V", "!32", "!21".
  std::string print(const Reading& reading, const std::string& quantity) const;
  std::string reading(const MeasurementContext& context) {
    return print(measure(context), context.quantity);
  }

 private:
  Reading resolve(const std::string& quantity, const std::string& selector,
                  const std::set<std::string>& conditions) const;
  double factor(const std::string& condition, const std::string& quantity) const;
  double spread();

  std::vector<ReadingEntry> m_readings;  // the scenario's first, then the built-in ones
  size_t m_scenarioCount;
  std::vector<FactorEntry> m_factors;  // the scenario's first, then the built-in ones
  double m_milliampsFrom;
  double m_noise;
  unsigned m_random;
};

}  // namespace sim
