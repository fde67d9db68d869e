#pragma once

#include "host_api/HostApiExport.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Object.h"
#include "platform/Variant.h"

namespace host_api {

class IXmlDocument;

// An element of a host XML document.
class ORVEL_HOST_API IXmlElement : public platform::Object {
 public:
  ~IXmlElement() override;
  virtual std::string tagName() const = 0;
  // Renames the element (a record written by another, then named for its place).
  virtual void setTagName(const std::string& name) = 0;
  virtual std::string text() const = 0;
  virtual void setText(const std::string& text) = 0;
  // Absent attributes give nothing (as opposed to an empty text).
  virtual std::optional<std::string> getAttribute(const std::string& name) const = 0;
  virtual void setAttribute(const std::string& name, const std::string& value) = 0;
  // Child elements only (text and comments are not counted).
  virtual int childCount() const = 0;
  virtual std::shared_ptr<IXmlElement> child(int index) const = 0;  // null out of range
  // All child elements in document order, in one pass (child(i) in a loop walks from the start
  // each time).
  virtual std::vector<std::shared_ptr<IXmlElement>> children() const = 0;
  virtual bool hasChildNodes() const = 0;
  // Appends `child` (made by the same document) and returns it.
  virtual std::shared_ptr<IXmlElement> appendChild(const std::shared_ptr<IXmlElement>& child) = 0;
  // The first child element with this tag name, or null.
  virtual std::shared_ptr<IXmlElement> findChild(const std::string& name) const = 0;
  virtual std::shared_ptr<IXmlDocument> ownerDocument() const = 0;

  // Creates an element named `name` in this element's document and appends it here. A document
  // may do this in one step; by default it is createElement and appendChild.
  virtual std::shared_ptr<IXmlElement> appendNewChild(const std::string& name);
};

class ORVEL_HOST_API IXmlDocument : public platform::Object {
 public:
  ~IXmlDocument() override;
  virtual std::shared_ptr<IXmlElement> documentElement() const = 0;  // null when empty
  virtual void setDocumentElement(const std::shared_ptr<IXmlElement>& element) = 0;
  virtual std::shared_ptr<IXmlElement> createElement(const std::string& tagName) = 0;
  // Saves atomically: the file holds either the old or the new document, never a part.
  virtual void save(const std::filesystem::path& path) const = 0;
  virtual std::string toString() const = 0;
};

// The host XML service. Failures throw platform::ComError naming file, line and reason.
class ORVEL_HOST_API IXmlService {
 public:
  virtual ~IXmlService();

  virtual std::shared_ptr<IXmlDocument> createDocument() = 0;
  virtual std::shared_ptr<IXmlDocument> loadDocument(const std::filesystem::path& path) = 0;
  virtual std::shared_ptr<IXmlDocument> loadDocumentFromString(const std::string& xml) = 0;

  // Typed values: writes `value` together with its type as a child element named `name` of
  // `parent`, and reads such a child back (nothing when the child is absent).
  virtual std::shared_ptr<IXmlElement> writeValue(IXmlElement& parent, const std::string& name,
                                                  const platform::Variant& value) = 0;
  virtual std::optional<platform::Variant> readValue(const IXmlElement& parent,
                                                     const std::string& name) = 0;
};

}  // namespace host_api
