#pragma once

#include "host_api/IXmlService.h"

namespace host {

// Creates and loads host XML documents, and stores typed values as child elements:
//
//   <Value type="5">12.5</Value>
//
// The type attribute holds the value kind (platform::VariantType); the text holds the value as
// Variant::toString gives it, which reads back exactly.
class HostXmlService : public host_api::IXmlService {
 public:
  std::shared_ptr<host_api::IXmlDocument> createDocument() override;
  // A missing file (or folder on its way) throws platform::ComError 53; one that cannot be read
  // or is malformed throws 75. Each names the file, a malformed one also the line, column and
  // reason. A malformed text given as a string throws 321.
  std::shared_ptr<host_api::IXmlDocument> loadDocument(const std::filesystem::path& path) override;
  std::shared_ptr<host_api::IXmlDocument> loadDocumentFromString(const std::string& xml) override;

  // An existing child of that name is overwritten rather than doubled. An object cannot be
  // stored and throws platform::ComError 13.
  std::shared_ptr<host_api::IXmlElement> writeValue(host_api::IXmlElement& parent,
                                                    const std::string& name,
                                                    const platform::Variant& value) override;
  // A child whose text does not fit its type throws platform::ComError 13 naming the element;
  // a child without a type attribute reads as text.
  std::optional<platform::Variant> readValue(const host_api::IXmlElement& parent,
                                             const std::string& name) override;
};

}  // namespace host
