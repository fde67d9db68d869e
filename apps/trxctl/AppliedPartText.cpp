#include "apps/trxctl/AppliedPartText.h"

#include <array>
#include <vector>

#include "driver/MError.h"

namespace trxctl {

namespace {

constexpr std::array<const char*, 11> kLeads{"ALL", "RA", "LL", "LA", "RL", "V1",
                                             "1",   "2",  "3",  "4",  "5"};
constexpr const char* kExpected =
    " (expected leads RA, LL, LA, RL, V1 or sockets 1..5 separated by commas, or ALL, "
    "optionally followed by //OPEN or //GND)";

// The fields between separators, empty ones included ("RA,", "//GND").
std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> fields(1);
  for (char c : text) {
    if (c == separator) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

bool isLead(const std::string& item) {
  for (const char* lead : kLeads) {
    if (item == lead) return true;
  }
  return false;
}

// Why a comma list of leads is not one, or empty.
std::string listProblem(const std::string& list) {
  for (const std::string& item : split(list, ',')) {
    if (item.empty()) return "an empty lead name in \"" + list + "\"";
    if (!isLead(item)) return "\"" + vti::MError::EscapeControlChars(item) + "\" is not a lead";
  }
  return {};
}

}  // namespace

std::string AppliedPartText::problem(const std::string& text) {
  const auto fields = split(text, '/');
  std::string why;
  if (fields.size() != 1 && fields.size() != 3) {
    why = "the leads and OPEN or GND are separated by two slashes";
  } else if (fields[0].empty()) {
    why = "no lead under test";
  } else if (why = listProblem(fields[0]); why.empty() && fields.size() == 3) {
    if (!fields[1].empty()) why = listProblem(fields[1]);
    if (why.empty() && !fields[2].empty() && fields[2] != "OPEN" && fields[2] != "GND")
      why = "\"" + vti::MError::EscapeControlChars(fields[2]) + "\" is neither OPEN nor GND";
  }
  if (why.empty()) return why;
  return "applied part \"" + vti::MError::EscapeControlChars(text) + "\": " + why + kExpected;
}

}  // namespace trxctl
