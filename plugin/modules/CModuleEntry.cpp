#include "plugin/modules/CModuleEntry.h"

#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
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

void CModuleEntry::Load(const host_api::IXmlElement& element, host_api::ILoadLog*) {
  MErrorConvention::GuardedReporting(
      ErrorSource(), {MPlugInErrors::errModuleLoad, MPlugInErrors::errModuleContent},
      [&] { ReadElement(element); });
}

std::shared_ptr<host_api::IXmlElement> CModuleEntry::Save(host_api::IXmlElement& owner) const {
  return MErrorConvention::GuardedReporting(ErrorSource(), {MPlugInErrors::errConfigSave},
                                            [&] { return WriteElement(owner); });
}

}  // namespace plugin
