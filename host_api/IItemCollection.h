#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/IXmlService.h"
#include "platform/Object.h"

namespace host_api {

// One named text item of an item collection; the key item names what it describes.
class ORVEL_HOST_API IItem : public platform::Object {
 public:
  ~IItem() override;
  virtual std::string Name_get() const = 0;
  virtual std::string Value_get() const = 0;
  virtual void Value_let(const std::string& value) = 0;
  virtual bool Key_get() const = 0;
};

// The host's item collection: ordered named text items with a key flag, such as the descriptive
// fields of an applied part (name, type, serial number). Which items exist comes from an item
// definition kept in the host settings.
class ORVEL_HOST_API IItemCollection : public platform::Object {
 public:
  ~IItemCollection() override;

  virtual int32_t Count() const = 0;
  // 1-based; null out of range.
  virtual std::shared_ptr<IItem> Item(int32_t index) const = 0;
  // By exact name; null when absent.
  virtual std::shared_ptr<IItem> Item(const std::string& name) const = 0;
  // Appends an item; a name that exists already only takes the new value and key flag.
  virtual std::shared_ptr<IItem> Add(const std::string& name, const std::string& value,
                                     bool key) = 0;
  // An independent copy: items, values and key flags.
  virtual std::shared_ptr<IItemCollection> Clone() const = 0;

  // Items as child elements of `element` (the owner's own element, whose other children and
  // attributes are the owner's): Load replaces the items by those found there, Save appends them.
  virtual void Load(const IXmlElement& element) = 0;
  virtual void Save(IXmlElement& element) const = 0;

  // Replaces the items by the definition stored under `key` below `root` (names and key flags,
  // empty values), for the application `application`. A missing definition gives the host's
  // default items.
  virtual void LoadDefinitions(uint32_t root, const std::string& key,
                               const std::string& application) = 0;
};

}  // namespace host_api
