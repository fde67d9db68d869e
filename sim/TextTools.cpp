#include "sim/TextTools.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace sim::text_tools {

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    size_t at = text.find(separator, start);
    if (at == std::string_view::npos) {
      parts.push_back(trim(text.substr(start)));
      return parts;
    }
    parts.push_back(trim(text.substr(start, at - start)));
    start = at + 1;
  }
}

std::vector<std::string> words(std::string_view text) {
  std::vector<std::string> out;
  std::string current;
  for (char c : text) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      if (!current.empty()) out.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) out.push_back(std::move(current));
  return out;
}

std::optional<double> number(std::string_view text) {
  std::string t = trim(text);
  if (t.empty()) return std::nullopt;
  double value = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<long> count(std::string_view text) {
  std::string t = trim(text);
  if (t.empty()) return std::nullopt;
  long value = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (ec != std::errc() || end != t.data() + t.size() || value < 0) return std::nullopt;
  return value;
}

platform::Duration duration(std::string_view text) {
  std::string t = trim(text);
  double scale = 1.0;  // milliseconds
  auto endsWith = [&t](std::string_view suffix) {
    return t.size() >= suffix.size() &&
           t.compare(t.size() - suffix.size(), suffix.size(), suffix) == 0;
  };
  if (endsWith("ms")) {
    t = trim(t.substr(0, t.size() - 2));
  } else if (endsWith("s")) {
    t = trim(t.substr(0, t.size() - 1));
    scale = 1000.0;
  }
  // A day is far beyond any delay a scenario needs, and well inside what a timer can hold.
  constexpr double kLongestMs = 24.0 * 3600.0 * 1000.0;
  auto value = number(t);
  if (!value || *value < 0 || *value * scale > kLongestMs) {
    throw std::invalid_argument("not a duration: \"" + trim(text) + "\"");
  }
  return std::chrono::duration_cast<platform::Duration>(
      std::chrono::duration<double, std::milli>(*value * scale));
}

std::string jsonEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        // Bytes outside printable ASCII are written as code points so the line stays valid JSON.
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(c));
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  return out;
}

}  // namespace sim::text_tools
