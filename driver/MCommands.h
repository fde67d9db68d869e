#pragma once

#include <string_view>

namespace vti {

// Facts about the instrument's commands that more than one part of the driver needs.
namespace MCommands {

// Whether `instruction` is a command that switches the outlet of the device under test off
// before it measures (the point-to-point, insulation, protective-earth, mains-voltage and
// alternative tests). Only the name counts: the text before "=", or the whole instruction.
bool IsPowerOffCommand(std::string_view instruction);

}  // namespace MCommands

}  // namespace vti
