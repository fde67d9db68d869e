#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace host_api {

// Numbers of the errors a property access by name raises (platform::ComError), so that a caller
// can tell a misspelt name from a bad value. The description always names the property and the
// value, and says what is allowed.
namespace PropertyError {
constexpr int32_t TypeMismatch = 13;   // a value of the wrong kind ("yes" for a number)
constexpr int32_t InvalidValue = 380;  // the right kind, out of the allowed range or values
constexpr int32_t ReadOnly = 383;      // the property can be read but not set
constexpr int32_t UnknownName = 438;   // no property of that name; the message lists them
}  // namespace PropertyError

// Settings of a plug-in object that the host may read and write by name, without knowing the
// object's class: the options of an element's configuration, the applied parts of a device.
// A caller reaches it from the object's other interface (std::dynamic_pointer_cast from
// IConfigData); an object that does not offer it has no settings by name.
//
// Names compare without regard to case; PropertyNames gives them as the object spells them.
// Booleans read as "True"/"False" and are set from those words (any case); numbers are decimal;
// a value from a fixed list reads as its name and is set by its name or its number.
//
// A value that is refused leaves the property as it was. Errors are platform::ComError with a
// number of PropertyError and an English description such as
//   IRDuration cannot be "75": allowed are whole numbers from 2 to 60
//   Unknown property "Foo"; the properties are: HaltOnTestFailure, ...
class ORVEL_HOST_API IProperties {
 public:
  virtual ~IProperties();

  // Every property, in the order a listing shows them.
  virtual std::vector<std::string> PropertyNames() const = 0;
  // The value: a Boolean, a 32-bit integer or a text.
  virtual platform::Variant Property_get(const std::string& name) const = 0;
  // The value as the host shows it and as PropertyText_let takes it back.
  virtual std::string PropertyText_get(const std::string& name) const = 0;
  // What the property takes, as one line of English ("True or False", "whole numbers from 2 to
  // 60", "one of: 0 None, 1 Max, 2 Min", "read-only").
  virtual std::string PropertyRange_get(const std::string& name) const = 0;
  // Sets the property from a text as a user types it.
  virtual void PropertyText_let(const std::string& name, const std::string& text) = 0;
  // Sets the property from a value: a Boolean, a number or a text (read as PropertyText_let
  // reads it). A Boolean for a number, or a number for a Boolean, is a type mismatch.
  virtual void Property_let(const std::string& name, const platform::Variant& value) = 0;
};

}  // namespace host_api
