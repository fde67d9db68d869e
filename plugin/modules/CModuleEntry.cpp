#include "plugin/modules/CModuleEntry.h"

#include "plugin/modules/MModuleUtils.h"

namespace plugin {

CModuleEntry::~CModuleEntry() = default;

std::string CModuleEntry::Class_get() const { return MModuleUtils::ClassText(m_classId, false); }

void CModuleEntry::Class_let(const std::string& text) {
  ClassID_let(MModuleUtils::ClassFromText(text));
}

std::string CModuleEntry::ClassForReport_get() const {
  return MModuleUtils::ClassText(m_classId, true);
}

}  // namespace plugin
