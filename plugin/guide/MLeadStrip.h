#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plugin {

// The analyzer's five lead sockets drawn as three lines of text, as the lead connection dialog
// shows them: the modules' names, a line joining each named module's sockets, and the sockets
// with those that a module occupies marked "[RA]".
namespace MLeadStrip {

inline constexpr int32_t SocketCount = 5;
// Characters per socket: room for a bracketed socket name and a blank on either side.
inline constexpr int32_t CellWidth = 6;

struct Module {
  std::string code;
  int32_t leads = 0;
};

struct Strip {
  std::string names;
  std::string lines;
  std::string sockets;
};

// Places the modules with leads on consecutive sockets from `startLead` (1 to 5) in their order;
// sockets beyond the fifth are not drawn. A module's name, with its joining line, is drawn only
// when it fits within the width of the module's sockets on the strip leaving a blank at each
// side, so that a name never runs into its neighbour's. `socketNames` are the five sockets'
// names.
Strip Draw(const std::vector<Module>& modules, int32_t startLead,
           const std::vector<std::string>& socketNames);

// The width of a text in characters (UTF-8 code points).
int32_t TextWidth(const std::string& text);

}  // namespace MLeadStrip
}  // namespace plugin
