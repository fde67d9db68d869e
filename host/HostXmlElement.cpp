#include "host/HostXmlElement.h"

#include "host/HostXmlDocument.h"

namespace host {

HostXmlElement::HostXmlElement(std::shared_ptr<HostXmlDocument> document, pugi::xml_node node)
    : m_document(std::move(document)), m_node(node) {}

std::string HostXmlElement::tagName() const { return m_node.name(); }

void HostXmlElement::setTagName(const std::string& name) {
  requireXmlName(name);
  m_node.set_name(name.c_str());
}

std::string HostXmlElement::text() const { return m_node.text().get(); }

void HostXmlElement::setText(const std::string& text) { m_node.text().set(text.c_str()); }

std::optional<std::string> HostXmlElement::getAttribute(const std::string& name) const {
  pugi::xml_attribute attribute = m_node.attribute(name.c_str());
  if (!attribute) return std::nullopt;
  return std::string(attribute.value());
}

void HostXmlElement::setAttribute(const std::string& name, const std::string& value) {
  requireXmlName(name);
  pugi::xml_attribute attribute = m_node.attribute(name.c_str());
  if (!attribute) attribute = m_node.append_attribute(name.c_str());
  attribute.set_value(value.c_str());
}

int HostXmlElement::childCount() const {
  int count = 0;
  for (pugi::xml_node c = m_node.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element) ++count;
  }
  return count;
}

std::shared_ptr<host_api::IXmlElement> HostXmlElement::child(int index) const {
  if (index < 0) return nullptr;
  for (pugi::xml_node c = m_node.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element && index-- == 0) return m_document->wrap(c);
  }
  return nullptr;
}

std::vector<std::shared_ptr<host_api::IXmlElement>> HostXmlElement::children() const {
  std::vector<std::shared_ptr<host_api::IXmlElement>> elements;
  for (pugi::xml_node c = m_node.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element) elements.push_back(m_document->wrap(c));
  }
  return elements;
}

bool HostXmlElement::hasChildNodes() const {
  return m_node.find_child([](pugi::xml_node c) { return c.type() == pugi::node_element; });
}

std::shared_ptr<host_api::IXmlElement> HostXmlElement::appendChild(
    const std::shared_ptr<host_api::IXmlElement>& child) {
  pugi::xml_node placed = m_document->place(child, m_node);
  auto own = std::dynamic_pointer_cast<HostXmlElement>(child);
  if (own && own->m_node == placed) return child;
  return m_document->wrap(placed);
}

std::shared_ptr<host_api::IXmlElement> HostXmlElement::appendNewChild(const std::string& name) {
  requireXmlName(name);
  return m_document->wrap(m_node.append_child(name.c_str()));
}

std::shared_ptr<host_api::IXmlElement> HostXmlElement::findChild(const std::string& name) const {
  pugi::xml_node found = m_node.child(name.c_str());
  return found ? m_document->wrap(found) : nullptr;
}

std::shared_ptr<host_api::IXmlDocument> HostXmlElement::ownerDocument() const { return m_document; }

}  // namespace host
