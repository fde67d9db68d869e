#pragma once

#include <string_view>

namespace vti {

// The text of the driver's string table file as it was compiled in (see MResources).
std::string_view StringTableSource();

}  // namespace vti
