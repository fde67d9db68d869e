#include "plugin/core/IAutoTest.h"

#include "plugin/core/IRunner.h"

namespace plugin {

// Defined here so that each interface has one virtual table in the library.
IAutoTest::~IAutoTest() = default;
ISingleTest::~ISingleTest() = default;
IRunner::~IRunner() = default;

}  // namespace plugin
