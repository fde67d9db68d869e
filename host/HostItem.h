#pragma once

#include <string>

#include "host_api/IItemCollection.h"

namespace host {

// One named text item of a HostItemCollection.
class HostItem : public host_api::IItem {
 public:
  HostItem(std::string name, std::string value, bool key)
      : m_name(std::move(name)), m_value(std::move(value)), m_key(key) {}

  std::string Name_get() const override { return m_name; }
  std::string Value_get() const override { return m_value; }
  void Value_let(const std::string& value) override { m_value = value; }
  bool Key_get() const override { return m_key; }
  void Key_let(bool key) { m_key = key; }

 private:
  std::string m_name;
  std::string m_value;
  bool m_key;
};

}  // namespace host
