#include "plugin/guide/MLeadStrip.h"

#include <algorithm>

namespace plugin::MLeadStrip {

namespace {

// `text` centred in `width` columns; a text wider than that stands as it is.
std::string centred(const std::string& text, int32_t width) {
  const int32_t free = std::max(0, width - TextWidth(text));
  return std::string(free / 2, ' ') + text + std::string(free - free / 2, ' ');
}

std::string trimmedRight(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// One module as placed on the strip: sockets first..last (1-based, within the strip).
struct Placed {
  const Module* module;
  int32_t first;
  int32_t last;
};

std::vector<Placed> place(const std::vector<Module>& modules, int32_t startLead) {
  std::vector<Placed> placed;
  int32_t next = std::max(startLead, 1);
  for (const auto& module : modules) {
    if (module.leads <= 0) continue;
    const int32_t first = next;
    next += module.leads;
    if (first > SocketCount) continue;
    placed.push_back({&module, first, std::min(next - 1, SocketCount)});
  }
  return placed;
}

std::string socketLine(const std::vector<Placed>& placed,
                       const std::vector<std::string>& socketNames) {
  std::string line;
  for (int32_t socket = 1; socket <= SocketCount; ++socket) {
    const bool marked = std::any_of(placed.begin(), placed.end(), [socket](const Placed& p) {
      return socket >= p.first && socket <= p.last;
    });
    const std::string name = socket <= static_cast<int32_t>(socketNames.size())
                                 ? socketNames[static_cast<size_t>(socket - 1)]
                                 : std::string();
    line += centred(marked ? "[" + name + "]" : name, CellWidth);
  }
  return line;
}

}  // namespace

int32_t TextWidth(const std::string& text) {
  return static_cast<int32_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

Strip Draw(const std::vector<Module>& modules, int32_t startLead,
           const std::vector<std::string>& socketNames) {
  const auto placed = place(modules, startLead);
  Strip strip;
  int32_t column = 0;  // where the names and lines drawn so far end
  for (const auto& p : placed) {
    const int32_t start = (p.first - 1) * CellWidth;
    const int32_t width = (p.last - p.first + 1) * CellWidth;
    const std::string& code = p.module->code;
    if (code.empty() || TextWidth(code) > width - 2) continue;
    const std::string gap(static_cast<size_t>(start - column), ' ');
    strip.names += gap + centred(code, width);
    strip.lines += gap + " +" + std::string(static_cast<size_t>(width - 4), '-') + "+ ";
    column = start + width;
  }
  strip.names = trimmedRight(strip.names);
  strip.lines = trimmedRight(strip.lines);
  strip.sockets = trimmedRight(socketLine(placed, socketNames));
  return strip;
}

}  // namespace plugin::MLeadStrip
