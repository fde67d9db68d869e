#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/HostItem.h"
#include "host_api/IItemCollection.h"

namespace host {

// Ordered named text items with a key flag (the descriptive fields of an applied part).
//
// XML: one child per item of the owner's element, which keeps its own attributes and children:
//   <Item Name="Serial number" Key="False">A123</Item>
// Load reads only "Item" children; one without a "Name" is skipped, a name met twice keeps the
// later value.
//
// Item definitions in the registry: under the key given to LoadDefinitions, values "Item1",
// "Item2", ... numbered without gaps (the first missing number ends the list), each
// "<name>" or "<name>;Key" for the item that names what the collection describes:
//   [HKLM\Software\Tavik\orvel\TRX440\Module Info]
//   Item1=Name;Key
//   Item2=Type
//   Item3=Serial number
// A missing key, or one that defines no item, gives the default: Name (key), Type, Serial number.
class HostItemCollection : public host_api::IItemCollection {
 public:
  int32_t Count() const override;
  std::shared_ptr<host_api::IItem> Item(int32_t index) const override;
  std::shared_ptr<host_api::IItem> Item(const std::string& name) const override;
  std::shared_ptr<host_api::IItem> Add(const std::string& name, const std::string& value,
                                       bool key) override;
  std::shared_ptr<host_api::IItemCollection> Clone() const override;
  void Load(const host_api::IXmlElement& element) override;
  void Save(host_api::IXmlElement& element) const override;
  void LoadDefinitions(uint32_t root, const std::string& key,
                       const std::string& application) override;

  // The definition used when the registry holds none.
  static std::vector<std::pair<std::string, bool>> defaultDefinitions();

 private:
  std::shared_ptr<HostItem> find(const std::string& name) const;

  std::vector<std::shared_ptr<HostItem>> m_items;
};

}  // namespace host
