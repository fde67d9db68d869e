#include "platform/forms/FormErrors.h"

namespace platform::forms {

ComError valueOutOfRange(const std::string& control, int32_t value, int32_t min, int32_t max) {
  return ComError(errInvalidPropertyValue, control,
                  "The value " + std::to_string(value) + " of " + control + " is outside " +
                      std::to_string(min) + " to " + std::to_string(max));
}

}  // namespace platform::forms
