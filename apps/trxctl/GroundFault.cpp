#include "apps/trxctl/GroundFault.h"

#include <cctype>

#include "driver/MError.h"

namespace trxctl {

namespace {

constexpr const char* kRefusal = "!50";
constexpr const char* kDriverText = "21914::Ground Fault Interrupt tripped";

// "!50" as a whole code: "!500" is another reply.
bool containsRefusal(const std::string& text) {
  for (size_t at = text.find(kRefusal); at != std::string::npos; at = text.find(kRefusal, at + 1)) {
    const size_t end = at + 3;
    if (end == text.size() || !std::isdigit(static_cast<unsigned char>(text[end]))) return true;
  }
  return false;
}

}  // namespace

bool GroundFault::reportedIn(const std::string& description) {
  if (containsRefusal(description)) return true;
  return description.find(vti::MError::TranslateText(kDriverText)) != std::string::npos;
}

std::string GroundFault::advice(const std::string& port) {
  return std::string("the analyzer's ") + kTripped +
         "; no further test commands were sent. Check the device under test and its "
         "connection, then reset the interrupter with: trxctl reset-trip " +
         port;
}

}  // namespace trxctl
