#pragma once

#include <memory>
#include <string>

#include "host_api/ITestInformation.h"

namespace host {

// What the host shows of a test element. XML, a child of the element's own element:
//   <Info Type="Single test" Parameter="100" Name="Earth leakage">
//     <Description>Leakage to earth, normal polarity</Description>
//   </Info>
// An "Info" without some attribute reads that field as empty.
class HostTestInformation : public host_api::ITestInformation {
 public:
  std::string Type_get() const override { return m_type; }
  std::string Parameter_get() const override { return m_parameter; }
  void SetType(const std::string& type, const std::string& parameter) override;
  std::string Name_get() const override { return m_name; }
  void Name_let(const std::string& name) override { m_name = name; }
  std::string Description_get() const override { return m_description; }
  void Description_let(const std::string& description) override { m_description = description; }

  std::shared_ptr<host_api::ITestInformation> Clone() const override;
  void Load(const host_api::IXmlElement& element) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;

 private:
  std::string m_type;
  std::string m_parameter;
  std::string m_name;
  std::string m_description;
};

}  // namespace host
