#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host_api/IXmlService.h"

// The test element catalogue as the plug-in finds it (the copy beside liborvelTRX440.so), read
// with the host's XML service and flattened into its elements.
namespace catalogue_test {

using Node = std::shared_ptr<host_api::IXmlElement>;

struct Entry {
  Node node;
  int32_t id = -1;       // -1 when the "ID" attribute is no decimal number
  int32_t parentId = 0;  // 0 for a top-level element
  std::string className;

  bool isGroup() const { return className == "orvelTRX440.CTestGroup"; }
  bool isSingle() const { return className == "orvelTRX440.CTestSingle"; }
  bool isMulti() const { return className == "orvelTRX440.CTestMulti"; }
  // The node's child of that name, or null.
  Node child(const std::string& name) const { return node->findChild(name); }
  // Whether the flag child ("Module", "DCLimit", "TotalLimit") says "True".
  bool required(const std::string& name) const;
  // The default (English) text of a text child's "LID"; empty without one.
  std::string text(const std::string& name) const;
};

std::filesystem::path shippedPath();
std::filesystem::path sourcePath(const std::string& relative);  // below ORVEL_SOURCE_DIR

class ShippedCatalogue {
 public:
  ShippedCatalogue();

  const std::vector<Entry>& entries() const { return m_entries; }
  const Entry* find(int32_t id) const;
  // Every node named `name` below the document element, in document order.
  std::vector<Node> nodesNamed(const std::string& name) const;

 private:
  void collect(const Node& parent, int32_t parentId);

  std::shared_ptr<host_api::IXmlDocument> m_document;
  std::vector<Entry> m_entries;
};

std::string attribute(const host_api::IXmlElement& node, const std::string& name);

}  // namespace catalogue_test
