#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace apps {

// Writes one JSON document to a stream as it goes: objects and arrays are opened and closed,
// members are named before their values, and commas come by themselves.
//
//   JsonWriter json(out);
//   json.beginObject().key("id").value(300).key("name").value("PE resistance").endObject();
class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : m_out(out) {}

  JsonWriter& beginObject();
  JsonWriter& endObject();
  JsonWriter& beginArray();
  JsonWriter& endArray();
  JsonWriter& key(const std::string& name);
  JsonWriter& value(const std::string& text);
  JsonWriter& value(const char* text) { return value(std::string(text)); }
  JsonWriter& value(int64_t number);
  JsonWriter& value(int32_t number) { return value(static_cast<int64_t>(number)); }
  JsonWriter& value(double number);
  JsonWriter& value(bool flag);
  JsonWriter& null();

  // `text` as a JSON string, quotes included; control characters escaped, UTF-8 kept.
  static std::string quoted(const std::string& text);

 private:
  void separate();

  std::ostream& m_out;
  // One entry per open object or array: whether it holds a member already.
  std::vector<bool> m_open;
  bool m_afterKey = false;
};

}  // namespace apps
