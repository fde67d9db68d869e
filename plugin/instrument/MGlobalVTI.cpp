#include "plugin/instrument/MGlobalVTI.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "driver/TrxTypes.h"
#include "host_api/HostServices.h"
#include "plugin/core/MPlugInErrors.h"

namespace plugin::MGlobalVTI {

namespace {
std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool containsAny(const std::string& text, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* name) {
    return text.find(lowered(name)) != std::string::npos;
  });
}

void append(std::string& list, const std::string& name) {
  if (!list.empty()) list += ",";
  list += name;
}
}  // namespace

int32_t StandardFromHost(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string text;
  for (const auto& [name, value] : entries) {
    if (name != "Orvel") {
      text = lowered(value);
      break;
    }
  }
  if (text.empty()) return -1;
  if (containsAny(text, {"AAMI ES60601-1", "AAMI/NFPA-99"})) return vti::etsAAMI;
  if (containsAny(text, {"AS/NZS 3551"})) return vti::etsASNZ;
  if (containsAny(text, {"IEC 60601"})) return vti::ets601;
  if (containsAny(text, {"IEC 62353"})) return vti::ets353;
  if (containsAny(text, {"VDE 751.1", "DB9801S1"})) return vti::ets601;
  return vti::etsNONE;
}

std::string LeadName(int32_t socket) {
  static const std::array<const char*, 6> names = {"ALL", "RA", "LL", "LA", "RL", "V1"};
  if (socket < 0 || socket >= static_cast<int32_t>(names.size())) return {};
  return names[static_cast<size_t>(socket)];
}

std::string LeadList(const std::vector<int32_t>& sockets, int32_t leftOut) {
  std::string list;
  for (int32_t socket : sockets) {
    if (socket != leftOut) append(list, LeadName(socket));
  }
  return list;
}

std::string OtherLeads(const std::vector<int32_t>& sockets, int32_t count) {
  std::string list;
  for (int32_t socket = 1; socket <= count; ++socket) {
    if (std::find(sockets.begin(), sockets.end(), socket) == sockets.end()) {
      append(list, LeadName(socket));
    }
  }
  return list;
}

std::string WaveformName(int32_t waveformType) {
  static const std::array<const char*, 16> names = {
      "20404::Complex 30 BPM",  "20405::Complex 60 BPM",
      "20406::Complex 120 BPM", "20407::Complex 180 BPM",
      "20408::Complex 240 BPM", "20409::Pulse 30 BPM",
      "20410::Pulse 60 BPM",    "20411::Square 0.125 Hz",
      "20412::Square 2 Hz",     "20413::Sine 10 Hz",
      "20414::Sine 40 Hz",      "20415::Sine 50 Hz",
      "20416::Sine 60 Hz",      "20417::Sine 100 Hz",
      "20418::Triangle 2 Hz",   "20419::Vfib"};
  const bool known = waveformType >= 0 && waveformType < static_cast<int32_t>(names.size());
  return host_api::hostServices().application->Translate(
      PlugInId, known ? names[static_cast<size_t>(waveformType)] : "");
}

}  // namespace plugin::MGlobalVTI
