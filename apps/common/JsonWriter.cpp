#include "apps/common/JsonWriter.h"

#include <cmath>
#include <cstdio>

namespace apps {

std::string JsonWriter::quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void JsonWriter::separate() {
  if (m_afterKey) {
    m_afterKey = false;
    return;
  }
  if (m_open.empty()) return;
  if (m_open.back()) m_out << ',';
  m_open.back() = true;
}

JsonWriter& JsonWriter::beginObject() {
  separate();
  m_out << '{';
  m_open.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::endObject() {
  m_out << '}';
  m_open.pop_back();
  return *this;
}

JsonWriter& JsonWriter::beginArray() {
  separate();
  m_out << '[';
  m_open.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::endArray() {
  m_out << ']';
  m_open.pop_back();
  return *this;
}

JsonWriter& JsonWriter::key(const std::string& name) {
  separate();
  m_out << quoted(name) << ':';
  m_afterKey = true;
  return *this;
}

JsonWriter& JsonWriter::value(const std::string& text) {
  separate();
  m_out << quoted(text);
  return *this;
}

JsonWriter& JsonWriter::value(int64_t number) {
  separate();
  m_out << number;
  return *this;
}

// JSON has no infinity or NaN: a value that is not a number is written as null.
JsonWriter& JsonWriter::value(double number) {
  if (!std::isfinite(number)) return null();
  separate();
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", number);
  m_out << text;
  return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
  separate();
  m_out << (flag ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::null() {
  separate();
  m_out << "null";
  return *this;
}

}  // namespace apps
