#include "sim/TestModes.h"

#include <array>

namespace sim::test_modes {

namespace {

constexpr Outlet K = Outlet::Keep;
constexpr Outlet OFF = Outlet::SwitchOff;
constexpr Outlet ON = Outlet::SwitchOn;

// command, quantity, unit, outlet, argument, power, per lead, insulation
constexpr std::array<TestMode, 23> kModes{{
    {"MAINS", "MAINS", "V", OFF, true, false, false, false},
    {"ERES", "ERES", "Ohm", OFF, true, false, false, false},
    {"MINS", "MINS", "MOhm", OFF, false, false, false, true},
    {"APINS", "APINS", "MOhm", OFF, false, false, false, true},
    {"INSE", "INSE", "MOhm", OFF, false, false, false, true},
    {"INSB", "INSB", "MOhm", OFF, false, false, false, true},
    {"INSD", "INSD", "MOhm", OFF, false, false, false, true},
    {"EARTHL", "EARTHL", "uA", K, false, true, false, false},
    {"ENCL", "ENCL", "uA", K, false, true, false, false},
    {"PAT", "PAT", "uA", K, false, true, true, false},
    {"AUX", "AUX", "uA", K, false, true, true, false},
    {"MAP", "MAP", "uA", K, false, false, true, false},
    {"LEAD_ISO", "MAP", "uA", K, false, false, true, false},
    {"PPV", "PPV", "V", OFF, false, false, false, false},
    {"PPR", "PPR", "Ohm", OFF, false, false, false, false},
    {"PPL", "PPL", "uA", OFF, false, false, false, false},
    {"EQCURR", "EQCURR", "A", ON, false, true, false, false},
    {"SAF", "SAF", "uA", OFF, false, false, false, false},
    {"DIFF", "DIFF", "uA", K, false, true, false, false},
    {"DIRL", "DIRL", "uA", K, false, true, false, false},
    {"DMAP", "DMAP", "uA", K, false, false, true, false},
    {"SPAT", "SPAT", "uA", K, false, false, true, false},
    {"ECG", "", "", K, false, false, false, false},
}};

}  // namespace

const TestMode* find(const std::string& command) {
  for (const TestMode& mode : kModes) {
    if (command == mode.command) return &mode;
  }
  return nullptr;
}

const TestMode* findQuantity(const std::string& quantity) {
  if (quantity.empty()) return nullptr;
  for (const TestMode& mode : kModes) {
    if (quantity == mode.quantity) return &mode;
  }
  return nullptr;
}

bool isQuantity(const std::string& quantity) {
  return quantity == "ZERO" || findQuantity(quantity) != nullptr;
}

std::string unitOf(const std::string& quantity) {
  if (quantity == "ZERO") return "Ohm";
  const TestMode* mode = findQuantity(quantity);
  return mode ? mode->unit : "";
}

}  // namespace sim::test_modes
