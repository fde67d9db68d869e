#include "host/HostXmlDocument.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "host/AtomicFile.h"
#include "host/HostXmlElement.h"
#include "platform/ComError.h"

namespace host {

namespace {
[[noreturn]] void invalidCall(const std::string& why) {
  throw platform::ComError(platform::RuntimeError::InvalidProcedureCall, "host", why);
}

bool nameStart(unsigned char c) { return std::isalpha(c) || c == '_' || c == ':' || c >= 0x80; }
bool nameChar(unsigned char c) { return nameStart(c) || std::isdigit(c) || c == '-' || c == '.'; }
}  // namespace

void requireXmlName(const std::string& name) {
  bool valid = !name.empty() && nameStart(static_cast<unsigned char>(name[0])) &&
               std::all_of(name.begin(), name.end(),
                           [](char c) { return nameChar(static_cast<unsigned char>(c)); });
  if (!valid) invalidCall("\"" + name + "\" is not a valid XML name");
}

void HostXmlDocument::parse(const std::string& text, const std::string& origin, int32_t failure) {
  m_holder = pugi::xml_node();
  pugi::xml_parse_result result =
      m_doc.load_buffer(text.data(), text.size(),
                        pugi::parse_default | pugi::parse_comments | pugi::parse_declaration |
                            pugi::parse_ws_pcdata_single);
  if (result) return;
  m_doc.reset();
  size_t offset =
      std::min(static_cast<size_t>(std::max<std::ptrdiff_t>(result.offset, 0)), text.size());
  size_t line = 1 + static_cast<size_t>(std::count(text.begin(), text.begin() + offset, '\n'));
  size_t lineStart = text.rfind('\n', offset == 0 ? 0 : offset - 1);
  size_t column = lineStart == std::string::npos || offset == 0 ? offset + 1 : offset - lineStart;
  throw platform::ComError(failure, "host",
                           "Cannot read the XML of " + origin + ": line " + std::to_string(line) +
                               ", column " + std::to_string(column) + ": " + result.description());
}

pugi::xml_node HostXmlDocument::holder() {
  if (!m_holder) m_holder = m_doc.append_child("unattached");
  return m_holder;
}

pugi::xml_node HostXmlDocument::firstElement() const {
  for (pugi::xml_node c = m_doc.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element && c != m_holder) return c;
  }
  return {};
}

std::shared_ptr<host_api::IXmlElement> HostXmlDocument::documentElement() const {
  pugi::xml_node root = firstElement();
  return root ? const_cast<HostXmlDocument*>(this)->wrap(root) : nullptr;
}

void HostXmlDocument::setDocumentElement(const std::shared_ptr<host_api::IXmlElement>& element) {
  // The old root goes to the holder rather than away, so objects that refer to it stay valid.
  pugi::xml_node old = firstElement();
  auto own = std::dynamic_pointer_cast<HostXmlElement>(element);
  if (old && own && own->node() == old) return;
  if (old) holder().append_move(old);
  place(element, m_doc);
}

std::shared_ptr<host_api::IXmlElement> HostXmlDocument::createElement(const std::string& tagName) {
  requireXmlName(tagName);
  return wrap(holder().append_child(tagName.c_str()));
}

void HostXmlDocument::save(const std::filesystem::path& path) const {
  AtomicFile::write(path, toString());
}

namespace {

// Collects pugixml's output in one string (a stream would copy it once more at the end).
class StringWriter : public pugi::xml_writer {
 public:
  explicit StringWriter(std::string& text) : m_text(text) {}
  void write(const void* data, size_t size) override {
    m_text.append(static_cast<const char*>(data), size);
  }

 private:
  std::string& m_text;
};

}  // namespace

std::string HostXmlDocument::toString() const {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  StringWriter writer(text);
  for (pugi::xml_node c = m_doc.first_child(); c; c = c.next_sibling()) {
    if (c == m_holder || c.type() == pugi::node_declaration) continue;
    c.print(writer, "  ", pugi::format_default, pugi::encoding_utf8);
  }
  return text;
}

std::shared_ptr<host_api::IXmlElement> HostXmlDocument::wrap(pugi::xml_node node) {
  return std::make_shared<HostXmlElement>(shared_from_this(), node);
}

pugi::xml_node HostXmlDocument::place(const std::shared_ptr<host_api::IXmlElement>& element,
                                      pugi::xml_node parent) {
  auto own = std::dynamic_pointer_cast<HostXmlElement>(element);
  if (!own) invalidCall("Only elements of a host XML document can be appended");
  if (own->document().get() == this) {
    pugi::xml_node moved = parent.append_move(own->node());
    if (!moved) {
      invalidCall("The element \"" + own->tagName() + "\" cannot become a child of itself");
    }
    return moved;
  }
  pugi::xml_node copied = parent.append_copy(own->node());
  if (!copied) invalidCall("The element \"" + own->tagName() + "\" cannot be appended here");
  return copied;
}

}  // namespace host
