#pragma once

#include <string>

// The analyzer's test modes: the command that selects each, what it measures and how it treats
// the equipment outlet.
namespace sim::test_modes {

enum class Outlet {
  Keep,       // leakage modes keep the outlet as the previous test left it
  SwitchOff,  // measurements on an unpowered device switch the outlet off first
  SwitchOn,   // the equipment current needs the device powered
};

struct TestMode {
  const char* command;   // "PAT", "MAINS" (selected with "MAINS=L1-L2"), ...
  const char* quantity;  // reading key of the device under test; empty for ECG
  const char* unit;      // "uA" for leakage currents (printed as uA or mA), "V", "Ohm", ...
  Outlet outlet;
  bool needsArgument;  // selected as "COMMAND=argument"
  bool needsPower;     // reads 0 while the device under test is not powered
  bool perLead;        // summed over the leads under test of "AP="
  bool insulation;     // applies the insulation test voltage after "INS="
};

// The mode selected by a command name, or nullptr.
const TestMode* find(const std::string& command);
// The mode whose reading key is `quantity`, or nullptr. "ZERO" (the test lead) has no mode.
const TestMode* findQuantity(const std::string& quantity);
// Whether `quantity` names something the device under test can be asked for.
bool isQuantity(const std::string& quantity);
// The unit in which a quantity's values are written ("uA" for leakage currents).
std::string unitOf(const std::string& quantity);

}  // namespace sim::test_modes
