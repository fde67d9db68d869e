#pragma once

#include <pugixml.hpp>

#include <filesystem>
#include <memory>
#include <string>

#include "host_api/IXmlService.h"
#include "platform/ComError.h"

namespace host {

// A host XML document over pugixml.
//
// Elements made by createElement live in a hidden holder inside the same pugixml document until
// they are appended somewhere. Keeping every node in one document lets an append move the node
// itself, so every element object handed out stays valid however the tree is rearranged. The
// holder is never written out.
class HostXmlDocument : public host_api::IXmlDocument,
                        public std::enable_shared_from_this<HostXmlDocument> {
 public:
  HostXmlDocument() = default;
  HostXmlDocument(const HostXmlDocument&) = delete;
  HostXmlDocument& operator=(const HostXmlDocument&) = delete;

  // Parses `text`; a malformed text throws platform::ComError `failure` (by default 321, invalid
  // format) naming `origin`, the line, the column and the reason.
  void parse(const std::string& text, const std::string& origin,
             int32_t failure = platform::RuntimeError::InvalidFileFormat);

  std::shared_ptr<host_api::IXmlElement> documentElement() const override;
  void setDocumentElement(const std::shared_ptr<host_api::IXmlElement>& element) override;
  std::shared_ptr<host_api::IXmlElement> createElement(const std::string& tagName) override;
  void save(const std::filesystem::path& path) const override;
  std::string toString() const override;

  // For the element class: wraps a node of this document, and places `element` as the last
  // child of `parent` (moved when it is ours, copied when it belongs to another document).
  std::shared_ptr<host_api::IXmlElement> wrap(pugi::xml_node node);
  pugi::xml_node place(const std::shared_ptr<host_api::IXmlElement>& element,
                       pugi::xml_node parent);

 private:
  pugi::xml_node holder();
  pugi::xml_node firstElement() const;

  pugi::xml_document m_doc;
  pugi::xml_node m_holder;
};

// Names of elements and attributes must be XML names, or the saved file could not be read back.
void requireXmlName(const std::string& name);

}  // namespace host
