#pragma once

#include <memory>

namespace plugin {

class IAutoTest;
class CAutoRunSetup;

// A run strategy: walks an element tree in its own order and runs every test that applies.
class IRunner {
 public:
  virtual ~IRunner();
  virtual void Run(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& cas) = 0;
};

}  // namespace plugin
