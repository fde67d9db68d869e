#include "LimitsTestSupport.h"

#include "host/HostLimit.h"
#include "host/HostLimitList.h"
#include "host/HostLimitStandard.h"
#include "host/HostStandards.h"
#include "platform/ComError.h"

namespace limits_test {

void offerHostLimitClasses(host_api::HostServices& services) {
  auto& classes = services.classes;
  if (!classes.newLimit) classes.newLimit = [] { return std::make_shared<host::HostLimit>(); };
  if (!classes.newLimitList) {
    classes.newLimitList = [] { return std::make_shared<host::HostLimitList>(); };
  }
  if (!classes.newLimitStandard) {
    classes.newLimitStandard = [] { return std::make_shared<host::HostLimitStandard>(); };
  }
  if (!classes.newStandards) {
    classes.newStandards = [] { return std::make_shared<host::HostStandards>(); };
  }
}

int32_t FakeTestElement::TestID_get() const {
  if (failTestId) throw platform::ComError(91, "FakeTestElement", "Object variable not set");
  return testId;
}

std::shared_ptr<FakeTestElement> multiTest(int32_t testId, bool totals) {
  auto element = std::make_shared<FakeTestElement>(testId);
  element->requireModules = true;
  element->hasTotalLimits = totals;
  return element;
}

std::shared_ptr<host_api::ILimitStandard> FakePlugInEntry::LimitStandardOf(
    int32_t testId, int32_t standardId, const std::string& className) {
  auto it = catalogue.find({testId, standardId, className});
  return it == catalogue.end() ? nullptr : it->second->Copy();
}

}  // namespace limits_test
