#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace plugin {

// The pictures of the plug-in and its test elements: which picture resource a test id shows at
// an icon size, and the image file that holds it.
namespace MPlugInIcons {

// The resource name for `testId` at `size` (0 small, 1 wide, 2 large); nothing for other sizes.
std::optional<std::string> IconName(int32_t testId, int32_t size);

// The image file of a picture resource: "<folder>/images/<name>.svg" beside the plug-in library.
std::string ImageFile(const std::string& libraryFolder, const std::string& name);

}  // namespace MPlugInIcons
}  // namespace plugin
