#include "plugin/config/CCfgECGOptions.h"

#include "plugin/config/MConfigXml.h"
#include "plugin/config/MOptionChoices.h"
#include "plugin/core/CPropertyTable.h"
#include "plugin/core/MXmlUtils.h"

namespace plugin {

std::shared_ptr<CCfgECGOptions> CCfgECGOptions::Clone() const {
  return std::make_shared<CCfgECGOptions>(*this);
}

// A stored record without a duration reads as 0, not as the 10 s of a new record: that is how
// such records have always been read, and a template must run as it did when it was written.
void CCfgECGOptions::Load(const host_api::IXmlElement& element) {
  m_duration = MConfigXml::ReadInteger(&element, "Duration", 0);
  m_indefinite = MConfigXml::ReadBoolean(&element, "Indefinite");
  m_waveformType = MConfigXml::ReadInteger(&element, "WaveType", 0);
}

std::shared_ptr<host_api::IXmlElement> CCfgECGOptions::Save(host_api::IXmlElement& owner) const {
  auto element = MConfigXml::AppendRecordElement(owner, Tag, "CCfgECGOptions");
  MXmlUtils::WriteInteger(*element, "Duration", m_duration);
  MXmlUtils::WriteBoolean(*element, "Indefinite", m_indefinite);
  MXmlUtils::WriteInteger(*element, "WaveType", m_waveformType);
  return element;
}

void CCfgECGOptions::DescribeProperties(CPropertyTable& table) {
  using R = CCfgECGOptions;
  table.Integer("Duration", MinDuration, MaxDuration, *this, &R::Duration_get, &R::Duration_let);
  table.Boolean("Indefinite", *this, &R::Indefinite_get, &R::Indefinite_let);
  table.Choice("WaveformType", MOptionChoices::WaveformType(), *this, &R::WaveformType_get,
               &R::WaveformType_let);
}

}  // namespace plugin
