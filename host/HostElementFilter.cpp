#include "host/HostElementFilter.h"

#include "host/MBooleanText.h"

namespace host {

std::shared_ptr<host_api::IElementFilter> HostElementFilter::Clone() const {
  return std::make_shared<HostElementFilter>(*this);
}

void HostElementFilter::Load(const host_api::IXmlElement& element) {
  auto filter = element.findChild("Filter");
  if (!filter) return;
  m_enabled = MBooleanText::parse(filter->getAttribute("Enabled").value_or("")).value_or(m_enabled);
  m_counts = MBooleanText::parse(filter->getAttribute("Counts").value_or("")).value_or(m_counts);
}

std::shared_ptr<host_api::IXmlElement> HostElementFilter::Save(host_api::IXmlElement& owner) const {
  auto filter = owner.appendNewChild("Filter");
  filter->setAttribute("Enabled", MBooleanText::format(m_enabled));
  filter->setAttribute("Counts", MBooleanText::format(m_counts));
  return filter;
}

}  // namespace host
