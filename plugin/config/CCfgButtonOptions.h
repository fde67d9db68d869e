#pragma once

#include <memory>

#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace plugin {

class CPropertyTable;

// Which operator buttons the test guide offers while the element runs. Stored as "EnableBtn".
class CCfgButtonOptions : public platform::Object {
 public:
  static constexpr const char* Tag = "EnableBtn";

  bool EnableSkip_get() const { return m_enableSkip; }
  void EnableSkip_let(bool value) { m_enableSkip = value; }
  bool EnableNA_get() const { return m_enableNA; }
  void EnableNA_let(bool value) { m_enableNA = value; }
  bool EnableStep_get() const { return m_enableStep; }
  void EnableStep_let(bool value) { m_enableStep = value; }

  // Adds the record's settings to `table`, bound to this record, for the host to read and set
  // by name.
  void DescribeProperties(CPropertyTable& table);

  std::shared_ptr<CCfgButtonOptions> Clone() const;
  // A stored flag that is missing reads as disabled, although a new record enables all three.
  void Load(const host_api::IXmlElement& element);
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const;

 private:
  bool m_enableSkip = true;
  bool m_enableNA = true;
  bool m_enableStep = true;
};

}  // namespace plugin
