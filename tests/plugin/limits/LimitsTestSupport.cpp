#include "LimitsTestSupport.h"

#include "platform/ComError.h"

namespace limits_test {

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
