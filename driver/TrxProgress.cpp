#include "driver/TrxProgress.h"

namespace vti {

// Out of line: the library keeps the one virtual table of the interface.
TrxProgress::~TrxProgress() = default;

}  // namespace vti
