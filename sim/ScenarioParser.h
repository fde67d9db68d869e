#pragma once

#include <string>

#include "sim/Scenario.h"

namespace sim {

// Reads the line-oriented scenario format: "[section]" headers, "key = value" lines, "#"
// comments to the end of a line. Sections: analyzer, timing, device, factors, faults.
class ScenarioParser {
 public:
  explicit ScenarioParser(std::string origin);
  Scenario parse(const std::string& text);

 private:
  void line(const std::string& section, const std::string& key, const std::string& value);
  void analyzer(const std::string& key, const std::string& value);
  void timing(const std::string& key, const std::string& value);
  void device(const std::string& key, const std::string& value);
  void factor(const std::string& key, const std::string& value);

  std::string m_origin;
  Scenario m_scenario;
};

}  // namespace sim
