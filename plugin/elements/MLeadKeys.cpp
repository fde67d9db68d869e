#include "plugin/elements/MLeadKeys.h"

#include "platform/NumberFormat.h"

namespace plugin::MLeadKeys {

namespace {

constexpr const char* Separator = "::";

// What follows the module number: "::" class, suffix and the lead position.
std::string tail(const std::string& key) {
  const auto second = key.find(Separator, 2);
  return second == std::string::npos ? std::string() : key.substr(second);
}

}  // namespace

std::string Key(const Parts& parts) {
  std::string key = Separator;
  if (!parts.subPosition.empty()) key += parts.subPosition + "$";
  key += platform::formatNumber(parts.moduleId) + Separator + parts.classCode + parts.suffix;
  if (parts.position != 0) key += "#" + parts.prefix + std::to_string(parts.position);
  return key;
}

int32_t SubPositionNumber(const std::string& key) {
  if (key.rfind("::@", 0) != 0) return 0;
  int32_t number = 0;
  for (size_t i = 3; i < key.size() && key[i] >= '0' && key[i] <= '9' && number < 100000; ++i) {
    number = number * 10 + (key[i] - '0');
  }
  return number;
}

std::string PreviousSubPosition(const std::string& key, const std::vector<std::string>& keys) {
  const int32_t number = SubPositionNumber(key);
  if (number < 2) return {};
  const std::string wanted = tail(key);
  std::string found;
  for (const auto& held : keys) {
    if (SubPositionNumber(held) == number - 1 && tail(held) == wanted) found = held;
  }
  return found;
}

}  // namespace plugin::MLeadKeys
