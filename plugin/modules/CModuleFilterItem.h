#pragma once

#include <memory>
#include <string>

#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace plugin {

// One condition of a module filter: the descriptive field `Name` must hold `Value`.
class CModuleFilterItem : public platform::Object {
 public:
  static constexpr const char* ClassName = "CModuleFilterItem";

  ~CModuleFilterItem() override;

  const std::string& Name_get() const { return m_name; }
  void Name_let(const std::string& name) { m_name = name; }
  const std::string& Value_get() const { return m_value; }
  void Value_let(const std::string& value) { m_value = value; }

  // A "FilterItem" element: the name as attribute, the value as text. Any other element leaves
  // the item empty.
  void Load(const host_api::IXmlElement& element);
  // Writes nothing (and returns null) for an item without a name.
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const;

 private:
  std::string m_name;
  std::string m_value;
};

}  // namespace plugin
