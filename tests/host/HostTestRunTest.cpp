#include "host/HostTestRun.h"

#include <gtest/gtest.h>

#include "FakeHostElements.h"
#include "host/HostInstrumentData.h"
#include "support/TestHost.h"

using host_fakes::element;
using host_fakes::group;

namespace {

class HostTestRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    top->Add(inner, nullptr, host_api::InsertRelation::Last);
    inner->Add(leaf, nullptr, host_api::InsertRelation::Last);
    top->Add(sibling, nullptr, host_api::InsertRelation::Last);
  }

  testing_host::TestHost host;
  std::shared_ptr<host_fakes::FakeGroup> top = group(100, 1);
  std::shared_ptr<host_fakes::FakeGroup> inner = group(1100, 2);
  std::shared_ptr<host_fakes::FakeElement> leaf = element(1101, 3);
  std::shared_ptr<host_fakes::FakeElement> sibling = element(110, 4);
  host::HostTestRun run{nullptr};
};

}  // namespace

TEST_F(HostTestRunTest, EveryElementTakesPartUntilTheRunIsNarrowedToSomeGroupsOrTests) {
  EXPECT_TRUE(run.IsSelected(*sibling));
  EXPECT_TRUE(run.MayPerform(*leaf));

  run.Select({inner});
  EXPECT_TRUE(run.IsSelected(*inner));
  EXPECT_TRUE(run.IsSelected(*leaf)) << "a selected group brings its contents";
  EXPECT_FALSE(run.IsSelected(*top));
  EXPECT_FALSE(run.IsSelected(*sibling));
  EXPECT_FALSE(run.MayPerform(*sibling));

  run.Select({});
  EXPECT_FALSE(run.IsSelected(*leaf)) << "an empty selection selects nothing";
}

TEST_F(HostTestRunTest, ADisabledElementOrGroupIsNotPerformedThoughSelected) {
  inner->Filter_get()->Enabled_let(false);
  EXPECT_TRUE(run.IsSelected(*leaf));
  EXPECT_FALSE(run.MayPerform(*inner));
  EXPECT_FALSE(run.MayPerform(*leaf)) << "the group holding it is disabled";
  EXPECT_TRUE(run.MayPerform(*sibling));
}

TEST_F(HostTestRunTest, ASelectedElementThatIsGoneSelectsNothing) {
  auto dropped = element(1102, 5);
  run.Select({dropped});
  dropped.reset();
  EXPECT_FALSE(run.IsSelected(*leaf));
}

TEST_F(HostTestRunTest, PerformedElementsAreRecordedInOrderAndHandedToTheHandler) {
  std::vector<int32_t> saved;
  run.onPerformed([&](const host_api::ITestElement& done) { saved.push_back(done.TestID_get()); });
  run.ElementPerformed(*leaf);
  run.ElementPerformed(*inner);
  EXPECT_EQ(saved, (std::vector<int32_t>{1101, 1100}));
  ASSERT_EQ(run.Performed().size(), 2u);
  EXPECT_EQ(run.Performed()[0], leaf.get());

  run.onPerformed(nullptr);
  run.ElementPerformed(*sibling);  // no handler: only recorded
  EXPECT_EQ(run.Performed().size(), 3u);
  EXPECT_EQ(saved.size(), 2u);
}

TEST_F(HostTestRunTest, KeepsTheStatusTheStandardsAndEachInstrumentOnce) {
  EXPECT_EQ(run.Status_get(), 0);
  run.Status_let(host_api::RunStatus::Repeat);
  EXPECT_EQ(run.Status_get(), host_api::RunStatus::Repeat);

  auto standards = host.services().classes.newStandards();
  host::HostTestRun withStandards(standards);
  EXPECT_EQ(withStandards.SelectedStandards_get(), standards);

  auto analyzer = std::make_shared<host::HostInstrumentData>();
  run.AddInstrumentData(analyzer);
  run.AddInstrumentData(analyzer);
  run.AddInstrumentData(nullptr);
  run.AddInstrumentData(std::make_shared<host::HostInstrumentData>());
  ASSERT_EQ(run.InstrumentData_get().size(), 2u);
  EXPECT_EQ(run.InstrumentData_get()[0], analyzer);
}
