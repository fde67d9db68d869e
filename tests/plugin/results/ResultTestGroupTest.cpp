#include "plugin/results/CResultTestGroup.h"

#include <gtest/gtest.h>

#include "driver/TrxTypes.h"
#include "plugin/results/CResultData.h"
#include "plugin/results/ResultsFakes.h"
#include "support/InstalledHost.h"

using namespace plugin;
using namespace results_test;
using host_api::ResultStatus::Failed;
using host_api::ResultStatus::None;
using host_api::ResultStatus::NoVerdict;
using host_api::ResultStatus::Passed;
using platform::Variant;

namespace {

class ResultTestGroupTest : public InstalledHost {
 protected:
  // A member test whose result holds one reading under `key`.
  std::shared_ptr<Element> member(int32_t status, const std::string& key = "::1::BF_AC#2",
                                  float value = 1.0f, int32_t testId = 1001) {
    auto e = group->add(Element::make(testId));
    auto data = std::make_shared<CResultData>();
    auto m = std::make_shared<CMeasurement>();
    m->Init(key, "Lead", vti::etcPatLeak, nullptr, {}, false);
    m->Value_let(Variant(value));
    m->Unit_let("uA");
    m->Status_let(status);
    data->AddMeasurement(m);
    data->Status_let(status);
    e->result = data;
    return e;
  }
  std::shared_ptr<CResultData> dataOf(const std::shared_ptr<Element>& e) {
    return std::dynamic_pointer_cast<CResultData>(e->result);
  }
  void collect(bool aborted = false) {
    result.CollectMemberResults(group, selected.get(), [aborted] { return aborted; });
  }

  std::shared_ptr<Element> group = Element::make(1000);
  std::shared_ptr<host_api::IStandards> selected;
  CResultTestGroup result;
};

}  // namespace

TEST_F(ResultTestGroupTest, MembersWithoutResultsGiveNoVerdictAndNoSummary) {
  group->add(Element::make(1001));
  group->add(Element::make(1002));
  collect();
  EXPECT_EQ(result.Status_get(), NoVerdict);
  EXPECT_EQ(result.Summary_get(), nullptr);
  EXPECT_EQ(result.Measurement_get(Variant(1)), nullptr);
}

TEST_F(ResultTestGroupTest, AbortedRunLeavesTheGroupWithoutStatus) {
  collect(true);
  EXPECT_EQ(result.Status_get(), None);
  member(Passed);
  collect(true);
  EXPECT_EQ(result.Status_get(), None);
  EXPECT_EQ(result.Summary_get(), nullptr);
  collect();
  EXPECT_EQ(result.Status_get(), Passed);
}

TEST_F(ResultTestGroupTest, MemberNotYetRunKeepsTheGroupOpenUnlessItIsHidden) {
  member(Passed);
  auto open = member(None);
  collect();
  EXPECT_EQ(result.Status_get(), None);
  dataOf(open)->TestVisible_let(false);
  collect();
  EXPECT_EQ(result.Status_get(), Passed);
}

TEST_F(ResultTestGroupTest, FailedMemberCountsOnlyWhenItsFilterCountsIt) {
  member(Passed);
  auto failed = member(Failed);
  failed->filter = std::make_shared<CountingFilter>(false);
  collect();
  EXPECT_EQ(result.Status_get(), Passed);
  failed->filter = std::make_shared<CountingFilter>(true);
  collect();
  EXPECT_EQ(result.Status_get(), Failed);
  failed->filter = nullptr;  // a member without a filter is never hidden
  collect();
  EXPECT_EQ(result.Status_get(), Failed);
}

TEST_F(ResultTestGroupTest, ResistanceTestThatRanClosesAProtectiveEarthGroup) {
  group->testId = 100;
  member(None);
  member(Passed, "::ST1", 0.1f, 300);
  collect();
  EXPECT_EQ(result.Status_get(), Passed);
  // An open member after the resistance test keeps the group open again.
  member(None);
  collect();
  EXPECT_EQ(result.Status_get(), None);

  // Under any other group the resistance test does not close it.
  group->testId = 1000;
  group->members.pop_back();
  collect();
  EXPECT_EQ(result.Status_get(), None);
}

TEST_F(ResultTestGroupTest, SummaryIsTheGreatestOrSmallestReadingUnderItsModuleAndLimitKey) {
  member(Passed, "::1::BF_AC#2", 4.0f);
  member(Passed, "::3::CF_DC#1", 9.0f);
  member(Passed, "::2::B#1", 2.0f);
  collect();
  ASSERT_TRUE(result.Summary_get());
  EXPECT_EQ(result.Summary_get()->Key_get(), "::3::CF_DC");
  EXPECT_EQ(result.Summary_get()->Description_get(), "Test Group");
  EXPECT_EQ(result.Summary_get()->StoredValue(), Variant(9.0f));
  EXPECT_EQ(result.Summary_get()->Unit_get(), "uA");

  result.SummaryMode_let(CResultTestGroup::SummarySmallest);
  collect();
  EXPECT_EQ(result.Summary_get()->Key_get(), "::2::B");

  result.SummaryMode_let(0);
  collect();
  EXPECT_EQ(result.Summary_get(), nullptr);
  EXPECT_EQ(result.Status_get(), Passed);
}

TEST_F(ResultTestGroupTest, NestedGroupOffersItsSummaryUnderTheGroupKey) {
  member(Passed, "::1::BF_AC#2", 4.0f);
  auto nested = group->add(Element::make(1000));
  auto nestedResult = std::make_shared<CResultTestGroup>();
  auto memberOfNested = nested->add(Element::make(1001));
  auto data = std::make_shared<CResultData>();
  auto m = std::make_shared<CMeasurement>();
  m->Init("::1::B#1", "Lead", vti::etcPatLeak, nullptr, {}, false);
  m->Value_let(Variant("OL"));
  m->Status_let(Passed);
  data->AddMeasurement(m);
  memberOfNested->result = data;
  nestedResult->CollectMemberResults(nested, nullptr);
  nested->result = nestedResult;
  collect();
  // Beyond the range is above every number.
  EXPECT_EQ(result.Summary_get()->Key_get(), "::ST");
  EXPECT_EQ(result.Summary_get()->StoredValue(), Variant("OL"));
}

TEST_F(ResultTestGroupTest, SummaryBeyondTheGroupsLimitFailsAPassedGroup) {
  member(Passed, "::1::BF_AC#2", 40.0f);
  group->limits = std::make_shared<JudgingLimitData>();
  selected = makeStandards({makeStandard(2, "BF", {{"::BF_AC", "uA", "10", ""}})});
  collect();
  EXPECT_EQ(result.Status_get(), Failed);
  EXPECT_EQ(result.Summary_get()->FailedLimitSet_get(), selected->Item(1)->Name_get());
}
