#pragma once

#include <string>
#include <vector>

#include "host_api/IProperties.h"
#include "plugin/core/CPropertyTable.h"

namespace plugin {

// The host's access by name to an object's settings, for every plug-in class that offers it:
// the class only says what its settings are (PropertyTable), and every access goes through that
// table under the plug-in's error convention.
class CNamedProperties : public host_api::IProperties {
 public:
  std::vector<std::string> PropertyNames() const override;
  platform::Variant Property_get(const std::string& name) const override;
  std::string PropertyText_get(const std::string& name) const override;
  std::string PropertyRange_get(const std::string& name) const override;
  void PropertyText_let(const std::string& name, const std::string& text) override;
  void Property_let(const std::string& name, const platform::Variant& value) override;

 protected:
  // The object's settings, bound to the records it holds now. Reading through the table writes
  // nothing, so the const accessors may build it too.
  virtual CPropertyTable PropertyTable() = 0;

 private:
  CPropertyTable table() const;
};

}  // namespace plugin
