#include "plugin/config/CCfgResistOptions.h"

#include "plugin/config/MConfigXml.h"
#include "plugin/config/MOptionChoices.h"
#include "plugin/core/CPropertyTable.h"
#include "plugin/core/MXmlUtils.h"

namespace plugin {

std::shared_ptr<CCfgResistOptions> CCfgResistOptions::Clone() const {
  return std::make_shared<CCfgResistOptions>(*this);
}

void CCfgResistOptions::Load(const host_api::IXmlElement& element) {
  m_measType = MConfigXml::ReadInteger(&element, "MeasType", 0);
  // Unlike every other flag this one has always been stored as a number ("-1" and "0").
  m_skipCalibration = MXmlUtils::ReadNumericBoolean(element, "SkipCalibration", false);
}

std::shared_ptr<host_api::IXmlElement> CCfgResistOptions::Save(host_api::IXmlElement& owner) const {
  auto element = MConfigXml::AppendRecordElement(owner, Tag, "CCfgResistOptions");
  MXmlUtils::WriteInteger(*element, "MeasType", m_measType);
  MXmlUtils::WriteNumericBoolean(*element, "SkipCalibration", m_skipCalibration);
  return element;
}

void CCfgResistOptions::DescribeProperties(CPropertyTable& table) {
  using R = CCfgResistOptions;
  table.Choice("MeasType", MOptionChoices::MeasType(), *this, &R::MeasType_get, &R::MeasType_let);
  table.Boolean("SkipCalibration", *this, &R::SkipCalibration_get, &R::SkipCalibration_let);
}

}  // namespace plugin
