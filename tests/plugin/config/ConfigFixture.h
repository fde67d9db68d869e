#pragma once

#include <memory>
#include <string>

#include "host_api/HostServices.h"
#include "support/InstalledHost.h"

// A host installed over its own settings file, with XML written and read through the host's
// XML service.
class ConfigFixture : public InstalledHost {
 protected:
  // The document element of `xml`.
  static std::shared_ptr<host_api::IXmlElement> parse(const std::string& xml) {
    return host_api::hostServices().xml->loadDocumentFromString(xml)->documentElement();
  }

  // An empty element "Owner" that a record or configuration is saved under.
  std::shared_ptr<host_api::IXmlElement> newOwner() {
    m_document = host_api::hostServices().xml->createDocument();
    auto owner = m_document->createElement("Owner");
    m_document->setDocumentElement(owner);
    return owner;
  }

  // What was saved under the last owner, as the stored text reads (declaration left out).
  std::string savedText() const {
    const std::string text = m_document->toString();
    return text.substr(text.find('\n') + 1);
  }

 private:
  std::shared_ptr<host_api::IXmlDocument> m_document;
};
