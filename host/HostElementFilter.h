#pragma once

#include <memory>

#include "host_api/IElementFilter.h"

namespace host {

// Whether an element takes part in a run and counts towards its group's outcome; both true
// for a new element. XML, a child of the element's own element:
//   <Filter Enabled="True" Counts="False"/>
// An attribute that is absent or not a Boolean keeps the value held.
class HostElementFilter : public host_api::IElementFilter {
 public:
  bool Enabled_get() const override { return m_enabled; }
  void Enabled_let(bool enabled) override { m_enabled = enabled; }
  bool Counts_get() const override { return m_counts; }
  void Counts_let(bool counts) override { m_counts = counts; }

  std::shared_ptr<host_api::IElementFilter> Clone() const override;
  void Load(const host_api::IXmlElement& element) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;

 private:
  bool m_enabled = true;
  bool m_counts = true;
};

}  // namespace host
