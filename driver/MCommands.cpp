#include "driver/MCommands.h"

#include <algorithm>
#include <array>

namespace vti::MCommands {

namespace {
constexpr std::array<std::string_view, 11> kPowerOffCommands = {
    "SAF", "PPL", "PPR", "PPV", "INSB", "INSD", "INSE", "APINS", "MINS", "ERES", "MAINS",
};
}  // namespace

bool IsPowerOffCommand(std::string_view instruction) {
  std::string_view name = instruction.substr(0, instruction.find('='));
  return std::find(kPowerOffCommands.begin(), kPowerOffCommands.end(), name) !=
         kPowerOffCommands.end();
}

}  // namespace vti::MCommands
