#include "host/HostXmlService.h"

#include <charconv>

#include "host/AtomicFile.h"
#include "host/HostXmlDocument.h"
#include "platform/ComError.h"

namespace host {

namespace {
const char* const TypeAttribute = "type";

[[noreturn]] void mismatch(const std::string& name, const std::string& why) {
  throw platform::ComError(platform::RuntimeError::TypeMismatch, "host",
                           "The value \"" + name + "\" " + why);
}

// The whole text as a number of type T, or nothing.
template <typename T>
std::optional<T> wholeNumber(const std::string& text) {
  T value{};
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

template <typename T>
platform::Variant numberValue(const std::string& name, const std::string& text) {
  auto value = wholeNumber<T>(text);
  if (!value) mismatch(name, "holds \"" + text + "\", which is not a number of its type");
  return platform::Variant(*value);
}

platform::Variant decode(const std::string& name, platform::VariantType type,
                         const std::string& text) {
  using platform::VariantType;
  switch (type) {
    case VariantType::Empty:
      return {};
    case VariantType::Null:
      return platform::Variant::null();
    case VariantType::Integer:
      return numberValue<int16_t>(name, text);
    case VariantType::Long:
      return numberValue<int32_t>(name, text);
    case VariantType::Single:
      return numberValue<float>(name, text);
    case VariantType::Double:
      return numberValue<double>(name, text);
    case VariantType::String:
      return platform::Variant(text);
    case VariantType::Boolean:
      if (text == "True") return platform::Variant(true);
      if (text == "False") return platform::Variant(false);
      mismatch(name, "holds \"" + text + "\", which is not True or False");
    default:
      mismatch(name, "has a type that cannot be read");
  }
}
}  // namespace

std::shared_ptr<host_api::IXmlDocument> HostXmlService::createDocument() {
  return std::make_shared<HostXmlDocument>();
}

std::shared_ptr<host_api::IXmlDocument> HostXmlService::loadDocument(
    const std::filesystem::path& path) {
  auto text = AtomicFile::read(path);
  if (!text) {
    throw platform::ComError(platform::RuntimeError::FileNotFound, "host",
                             "File not found: " + path.string());
  }
  // A file that is there but malformed is a file error like one that cannot be read, so that
  // callers sorting file errors from others (the catalogue) treat it as one; the description
  // keeps the parser's line and reason.
  auto document = std::make_shared<HostXmlDocument>();
  document->parse(*text, path.string(), platform::RuntimeError::PathFileAccess);
  return document;
}

std::shared_ptr<host_api::IXmlDocument> HostXmlService::loadDocumentFromString(
    const std::string& xml) {
  auto document = std::make_shared<HostXmlDocument>();
  document->parse(xml, "the XML text");
  return document;
}

std::shared_ptr<host_api::IXmlElement> HostXmlService::writeValue(host_api::IXmlElement& parent,
                                                                  const std::string& name,
                                                                  const platform::Variant& value) {
  if (value.type() == platform::VariantType::Object) mismatch(name, "is an object");
  auto element = parent.findChild(name);
  if (!element) element = parent.appendNewChild(name);
  element->setAttribute(TypeAttribute, std::to_string(static_cast<int32_t>(value.type())));
  element->setText(value.toString());
  return element;
}

std::optional<platform::Variant> HostXmlService::readValue(const host_api::IXmlElement& parent,
                                                           const std::string& name) {
  auto element = parent.findChild(name);
  if (!element) return std::nullopt;
  auto typeText = element->getAttribute(TypeAttribute);
  if (!typeText) return platform::Variant(element->text());
  auto type = wholeNumber<int32_t>(*typeText);
  if (!type) mismatch(name, "has the type \"" + *typeText + "\", which is not a number");
  return decode(name, static_cast<platform::VariantType>(*type), element->text());
}

}  // namespace host
