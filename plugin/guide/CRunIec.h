#pragma once

#include <memory>

#include "plugin/core/IRunner.h"

namespace host_api {
class ITestElement;
}

namespace plugin {

// Runs a tree in its own order. A group that asks for another order (optimized or module by
// module) runs with a scheduler of its own; an element of another plug-in is performed by the
// host, with the test guide out of its way.
class CRunIec : public IRunner {
 public:
  static constexpr const char* ClassName = "CRunIec";

  void Run(const std::shared_ptr<IAutoTest>& iat, CAutoRunSetup& cas) override;

 private:
  void runElement(const std::shared_ptr<IAutoTest>& iat);
  void runChildren(const std::shared_ptr<IAutoTest>& group);
  void runNestedGroup(const std::shared_ptr<IAutoTest>& group);
  void runForeign(const std::shared_ptr<host_api::ITestElement>& element);

  CAutoRunSetup* m_cas = nullptr;
};

}  // namespace plugin
