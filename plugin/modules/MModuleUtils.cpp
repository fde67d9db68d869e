#include "plugin/modules/MModuleUtils.h"

#include <array>

#include "host_api/HostServices.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/modules/CModuleGroup.h"

namespace plugin::MModuleUtils {

std::string ClassText(int32_t classId, bool forReport) {
  switch (classId) {
    case ClassB:
      return "B";
    case ClassBF:
      return "BF";
    case ClassCF:
      return "CF";
    case ClassNI:
      return forReport ? "NI" : "B";
    case ClassI:
      return forReport ? "I" : "CF";
    default:
      return {};
  }
}

int32_t ClassFromText(const std::string& text) {
  static const std::array<const char*, 5> texts{"B", "BF", "CF", "NI", "I"};
  for (size_t i = 0; i < texts.size(); ++i) {
    if (text == texts[i]) return static_cast<int32_t>(i) + 1;
  }
  return ClassNone;
}

int32_t AamiClassOf(int32_t classId) {
  if (classId == ClassB) return ClassNI;
  if (classId == ClassCF) return ClassI;
  return ClassNone;
}

std::string LeadDisplayName(int32_t socket) {
  static const std::array<const char*, 5> names{"20311::RA", "20312::LL", "20313::LA", "20314::RL",
                                                "20315::V1"};
  if (socket < 1 || socket > static_cast<int32_t>(names.size())) return {};
  return host_api::hostServices().application->Translate(PlugInId, names[socket - 1]);
}

std::shared_ptr<CModule> GroupMember(const CModuleSetup& setup, int32_t position,
                                     int32_t moduleId) {
  auto group = std::dynamic_pointer_cast<CModuleGroup>(setup.Item(position));
  return group ? group->Item(0, moduleId) : nullptr;
}

bool HasMultiLeadModule(const CModuleSetup* modules) {
  if (!modules) return false;
  for (const auto& entry : modules->NewEnum()) {
    if (entry->Leads_get() > 1) return true;
  }
  return false;
}

}  // namespace plugin::MModuleUtils
