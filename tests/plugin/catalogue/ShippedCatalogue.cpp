#include "ShippedCatalogue.h"

#include <charconv>
#include <cstdlib>
#include <functional>
#include <stdexcept>

#include "host/HostXmlService.h"
#include "platform/MessageText.h"
#include "plugin/core/CPlugInSetup.h"
#include "plugin/core/MLibraryLocation.h"

namespace catalogue_test {

namespace {

int32_t decimal(const std::string& text) {
  int32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size() ? value : -1;
}

}  // namespace

std::string attribute(const host_api::IXmlElement& node, const std::string& name) {
  return node.getAttribute(name).value_or("");
}

bool Entry::required(const std::string& name) const {
  Node flag = child(name);
  return flag && attribute(*flag, "Required") == "True";
}

std::string Entry::text(const std::string& name) const {
  Node textNode = child(name);
  return textNode ? platform::MessageText::parse(attribute(*textNode, "LID")).text : "";
}

std::filesystem::path shippedPath() {
  return std::filesystem::path(plugin::MLibraryLocation::Folder()) /
         plugin::CPlugInSetup::CatalogueFileName;
}

std::filesystem::path sourcePath(const std::string& relative) {
  const char* root = std::getenv("ORVEL_SOURCE_DIR");
  if (!root) throw std::runtime_error("ORVEL_SOURCE_DIR is not set");
  return std::filesystem::path(root) / relative;
}

ShippedCatalogue::ShippedCatalogue()
    : m_document(host::HostXmlService().loadDocument(shippedPath())) {
  Node root = m_document->documentElement();
  Node templateData = root ? root->findChild("TemplateData") : nullptr;
  if (!templateData) throw std::runtime_error("the catalogue has no TemplateData");
  collect(templateData, 0);
}

void ShippedCatalogue::collect(const Node& parent, int32_t parentId) {
  for (const Node& node : parent->children()) {
    if (node->tagName() != "TestElement") continue;
    Entry entry{node, decimal(attribute(*node, "ID")), parentId, attribute(*node, "ClassName")};
    m_entries.push_back(entry);
    collect(node, entry.id);
  }
}

const Entry* ShippedCatalogue::find(int32_t id) const {
  for (const Entry& entry : m_entries) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

std::vector<Node> ShippedCatalogue::nodesNamed(const std::string& name) const {
  std::vector<Node> found;
  std::function<void(const Node&)> walk = [&](const Node& node) {
    for (const Node& child : node->children()) {
      if (child->tagName() == name) found.push_back(child);
      walk(child);
    }
  };
  walk(m_document->documentElement());
  return found;
}

}  // namespace catalogue_test
