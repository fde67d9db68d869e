#pragma once

#include <pugixml.hpp>

#include <memory>

#include "host_api/IXmlService.h"

namespace host {

class HostXmlDocument;

// An element of a HostXmlDocument; it keeps its document alive.
class HostXmlElement : public host_api::IXmlElement {
 public:
  HostXmlElement(std::shared_ptr<HostXmlDocument> document, pugi::xml_node node);

  std::string tagName() const override;
  void setTagName(const std::string& name) override;
  std::string text() const override;
  void setText(const std::string& text) override;
  std::optional<std::string> getAttribute(const std::string& name) const override;
  void setAttribute(const std::string& name, const std::string& value) override;
  int childCount() const override;
  std::shared_ptr<host_api::IXmlElement> child(int index) const override;
  std::vector<std::shared_ptr<host_api::IXmlElement>> children() const override;
  // True when the element has child elements (its text alone does not count), matching
  // childCount().
  bool hasChildNodes() const override;
  // An element of this document is moved here; one of another document is copied, and the copy
  // is returned.
  std::shared_ptr<host_api::IXmlElement> appendChild(
      const std::shared_ptr<host_api::IXmlElement>& child) override;
  // Creates the child in place: the element needs no detour through the document's holder.
  std::shared_ptr<host_api::IXmlElement> appendNewChild(const std::string& name) override;
  std::shared_ptr<host_api::IXmlElement> findChild(const std::string& name) const override;
  std::shared_ptr<host_api::IXmlDocument> ownerDocument() const override;

  pugi::xml_node node() const { return m_node; }
  const std::shared_ptr<HostXmlDocument>& document() const { return m_document; }

 private:
  std::shared_ptr<HostXmlDocument> m_document;
  pugi::xml_node m_node;
};

}  // namespace host
