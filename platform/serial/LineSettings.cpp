#include "platform/serial/LineSettings.h"

#include <cctype>
#include <sstream>
#include <vector>

#include "platform/ComError.h"

namespace platform::serial {

namespace {
[[noreturn]] void invalid(const std::string& text) {
  throw ComError(380, "SerialPort", "Invalid line settings \"" + text + "\"");
}

int wholeNumber(const std::string& field, const std::string& text) {
  if (field.empty() || field.size() > 7) invalid(text);
  for (char c : field)
    if (!std::isdigit(static_cast<unsigned char>(c))) invalid(text);
  return std::stoi(field);
}
}  // namespace

LineSettings LineSettings::parse(const std::string& text) {
  std::vector<std::string> fields;
  std::stringstream in(text);
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  if (fields.size() != 4 || fields[1].size() != 1) invalid(text);
  LineSettings s;
  s.baud = wholeNumber(fields[0], text);
  s.parity = static_cast<char>(std::toupper(static_cast<unsigned char>(fields[1][0])));
  s.dataBits = wholeNumber(fields[2], text);
  s.stopBits = wholeNumber(fields[3], text);
  bool ok = s.baud > 0 && std::string("NEOMS").find(s.parity) != std::string::npos &&
            s.dataBits >= 5 && s.dataBits <= 8 && (s.stopBits == 1 || s.stopBits == 2);
  if (!ok) invalid(text);
  return s;
}

}  // namespace platform::serial
