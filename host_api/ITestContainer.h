#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "host_api/ITestElement.h"
#include "platform/Object.h"

namespace host_api {

// Where Add places a child.
namespace InsertRelation {
constexpr int32_t Last = 1;    // at the end (the relative is not used)
constexpr int32_t Before = 2;  // just before the relative
constexpr int32_t After = 3;   // just after the relative
}  // namespace InsertRelation

// Test elements in order: the catalogue, a template, a group's children.
class ORVEL_HOST_API ITestContainer : public platform::Object {
 public:
  ~ITestContainer() override;

  virtual int32_t Count() const = 0;
  virtual std::shared_ptr<ITestElement> Item(int32_t index) const = 0;  // 1-based; null outside
  virtual void Add(const std::shared_ptr<ITestElement>& child,
                   const std::shared_ptr<ITestElement>& relative, int32_t relation) = 0;
  // The first element, depth first, whose TestID is `testId`; null when none.
  virtual std::shared_ptr<ITestElement> FindElement(int32_t testId) const = 0;
  virtual void Remove(const std::shared_ptr<ITestElement>& child) = 0;
  virtual std::vector<std::shared_ptr<ITestElement>> NewEnum() const = 0;
};

}  // namespace host_api
