#pragma once

#include <cstdint>
#include <memory>

namespace host_api {
class ITestElement;
class ITestRun;
}  // namespace host_api

namespace plugin {

class CTestGroup;
class ITestGuide;

// The host's manual run of a test group through the guide: the operator starts the children
// (performed in order, each when it applies to the device's modules, with "previous" going
// back one child), marks the group not performed, skips it or aborts; the group result is
// rolled up from the children's afterwards.
class CGroupRun {
 public:
  CGroupRun(CTestGroup& group, ITestGuide& guide, host_api::ITestRun& testRun);

  // Asks the guide until the run no longer asks for the group again.
  void Run();

  // Rolls the results of `group` up, nested groups first; a group result without a verdict or
  // summary is removed (the children keep theirs).
  static void UpdateGroupResult(CTestGroup& group, host_api::ITestRun& testRun);

 private:
  void settle(int32_t status);
  void runChildren();
  bool applies(const std::shared_ptr<host_api::ITestElement>& child) const;

  CTestGroup& m_group;
  std::shared_ptr<host_api::ITestElement> m_self;
  ITestGuide& m_guide;
  host_api::ITestRun& m_testRun;
};

}  // namespace plugin
