#pragma once

#include <cstdint>
#include <memory>

namespace host_api {
class ITestElement;
class ITestRun;
}  // namespace host_api

namespace plugin {

class ITestGuide;

// The host's manual run of an element through the test guide, as every element kind does it.
namespace MElementPerform {

// Closes the guide at the end of the scope when it was opened there, also when the run fails:
// a guide left open would keep its driver connection and block the next run.
class ClosingGuide {
 public:
  explicit ClosingGuide(bool openedHere) : m_openedHere(openedHere) {}
  ~ClosingGuide();
  ClosingGuide(const ClosingGuide&) = delete;
  ClosingGuide& operator=(const ClosingGuide&) = delete;

 private:
  bool m_openedHere;
};

// Lets the guide perform `element` and hands each answer to the run as its status, as long as
// the run asks for the element again (RunStatus::Repeat); returns the final status.
int32_t AskGuide(ITestGuide& guide, const std::shared_ptr<host_api::ITestElement>& element,
                 host_api::ITestRun& testRun);

}  // namespace MElementPerform
}  // namespace plugin
