#include "plugin/entry/MPlugInIcons.h"

namespace plugin::MPlugInIcons {

namespace {

enum class IconKind { PlugIn, Group, Ecg, Item };

// Groups are the hundreds from 800 to 1800, and the two top groups 100 (a whole device) and 200
// (mains voltage); 1900 is the ECG simulation; everything else is a single measurement.
IconKind kindOf(int32_t testId) {
  if (testId == 0) return IconKind::PlugIn;
  if (testId == 100 || testId == 200) return IconKind::Group;
  if (testId >= 800 && testId <= 1800 && testId % 100 == 0) return IconKind::Group;
  if (testId == 1900) return IconKind::Ecg;
  return IconKind::Item;
}

std::string elementIcon(IconKind kind, const std::string& size) {
  switch (kind) {
    case IconKind::Group:
      return "TE:GROUP:" + size;
    case IconKind::Ecg:
      return "TE:ECG:" + size;
    default:
      return "TE:ITEM:" + size;
  }
}

}  // namespace

std::optional<std::string> IconName(int32_t testId, int32_t size) {
  const IconKind kind = kindOf(testId);
  switch (size) {
    case 0:
      return kind == IconKind::PlugIn ? "TRX440(16X16)" : elementIcon(kind, "16X16");
    case 1:
      // There is no wide picture of the plug-in itself.
      return elementIcon(kind, "32X16");
    case 2:
      return "TRX440(32X32)";
    default:
      return std::nullopt;
  }
}

std::string ImageFile(const std::string& libraryFolder, const std::string& name) {
  return libraryFolder + "/images/" + name + ".svg";
}

}  // namespace plugin::MPlugInIcons
