#include "plugin/results/MMeasurementKey.h"

#include <cmath>
#include <string_view>

#include "platform/NumberFormat.h"

namespace plugin::MMeasurementKey {

namespace {

// The number at the start of `text` as a whole number, 0 when there is none. Keys hold at most
// a few digits; a text beyond any module or point number gives 0 rather than a wrapped value.
double leadingValue(std::string_view text) {
  auto value = platform::leadingNumber(text);
  return value && std::isfinite(*value) ? *value : (value && *value > 0 ? 1.0 : 0.0);
}

}  // namespace

std::string LimitKeyOf(const std::string& key) {
  std::string result;
  const auto last = key.rfind("::");
  if (last != std::string::npos) result = key.substr(last);
  const auto hash = result.find('#');
  if (hash != std::string::npos && hash > 0) result.resize(hash);
  // A protective-earth reading per measuring point is "::ST" followed directly by the point
  // number; its limits are those of "::ST". A reading that already names an applied-part class
  // keeps it: a key that starts with a group's sub-position ("::7$3::CF") would otherwise be
  // judged as a single test.
  const bool namesClass = !result.empty() && result.rfind("::ST", 0) != 0;
  if (!namesClass && key.size() > 4 && leadingValue(std::string_view(key).substr(4)) > 0) {
    result = "::ST";
  }
  return result;
}

int32_t ModuleNumberOf(const std::string& key) {
  if (key.size() < 3) return 0;
  const std::string_view view(key);
  const bool twoDigits = key.size() > 3 && key[3] != ':';
  const double value = leadingValue(view.substr(2, twoDigits ? 2 : 1));
  return static_cast<int32_t>(value);
}

}  // namespace plugin::MMeasurementKey
