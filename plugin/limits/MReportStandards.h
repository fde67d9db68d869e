#pragma once

#include <memory>
#include <vector>

#include "host_api/ILimitStandard.h"
#include "host_api/IStandards.h"
#include "platform/ScopedOverride.h"

namespace plugin {

// The limit standards of the element being printed, shared with the readings printed after it so
// that each reading can show its limits. An element's limit data fills it before its results
// print; the plug-in entry empties it when it is created.
namespace MReportStandards {

using List = std::vector<std::shared_ptr<host_api::ILimitStandard>>;

// The process's list: the element's standards in order, then one empty slot.
List& Slot();
// One empty slot, no standard.
void Reset();
// The standards of `standards` in order, then one empty slot; null gives no standard.
void Fill(const host_api::IStandards* standards);
// The standards held, without the empty slots.
List Standards();

// Another list for the lifetime of a test.
class Override : public platform::ScopedOverride<List> {
 public:
  Override() : ScopedOverride(Slot(), List{nullptr}) {}
};

}  // namespace MReportStandards
}  // namespace plugin
