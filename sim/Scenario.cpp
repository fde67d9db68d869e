#include "sim/Scenario.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "sim/ScenarioParser.h"

namespace sim {

platform::Duration Scenario::processingOf(const std::string& commandName) const {
  auto it = processingPerCommand.find(commandName);
  return it == processingPerCommand.end() ? processing : it->second;
}

Scenario Scenario::parse(const std::string& text, const std::string& origin) {
  return ScenarioParser(origin).parse(text);
}

std::string Scenario::shippedFolder() {
#ifdef ORVEL_SIM_SCENARIO_DIR
  return ORVEL_SIM_SCENARIO_DIR;
#else
  return "sim/scenarios";
#endif
}

Scenario Scenario::load(const std::string& nameOrPath) {
  std::string path = nameOrPath;
  const bool bareName =
      nameOrPath.find('/') == std::string::npos && nameOrPath.find(".scn") == std::string::npos;
  if (bareName) path = shippedFolder() + "/" + nameOrPath + ".scn";
  std::ifstream in(path);
  if (!in) throw std::invalid_argument("cannot read scenario " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return parse(text.str(), path);
}

}  // namespace sim
