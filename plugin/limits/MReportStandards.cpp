#include "plugin/limits/MReportStandards.h"

namespace plugin::MReportStandards {

List& Slot() {
  static List list{nullptr};
  return list;
}

void Reset() { Slot() = List{nullptr}; }

void Fill(const host_api::IStandards* standards) {
  List list;
  const int32_t count = standards ? standards->Count() : 0;
  for (int32_t i = 1; i <= count; ++i) list.push_back(standards->Item(i));
  list.push_back(nullptr);
  Slot() = std::move(list);
}

List Standards() {
  List held;
  for (const auto& standard : Slot()) {
    if (standard) held.push_back(standard);
  }
  return held;
}

}  // namespace plugin::MReportStandards
