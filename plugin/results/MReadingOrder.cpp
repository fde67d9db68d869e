#include "plugin/results/MReadingOrder.h"

#include <cmath>

namespace plugin::MReadingOrder {

namespace {

// A reading on one scale: beyond the range above every number, else its value (0 when it is
// no number).
struct Rank {
  bool overRange;
  double value;
};

Rank rankOf(const platform::Variant& v) {
  if (const auto* text = v.get<std::string>()) return {*text == OverRange, 0.0};
  if (!v.isNumeric()) return {false, 0.0};
  const double value = v.toDouble();
  return {false, std::isnan(value) ? 0.0 : value};
}

}  // namespace

int Compare(const platform::Variant& a, const platform::Variant& b) {
  const Rank ra = rankOf(a);
  const Rank rb = rankOf(b);
  if (ra.overRange != rb.overRange) return ra.overRange ? 1 : -1;
  if (ra.value < rb.value) return -1;
  return ra.value > rb.value ? 1 : 0;
}

}  // namespace plugin::MReadingOrder
