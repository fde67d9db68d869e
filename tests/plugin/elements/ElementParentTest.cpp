// Where an element may be placed, and what a group does with the children it is given.
#include <gtest/gtest.h>

#include "ElementsTestSupport.h"
#include "plugin/core/MPlugInErrors.h"
#include "support/ExpectError.h"
#include "support/InertHostObjects.h"

namespace {

using namespace plugin;
using elements_test::ElementsTest;

// A would-be parent with only the identity QuerySetParent looks at.
class Parent : public testing_host::InertTestElement {
 public:
  Parent(std::string plugInId, int32_t testId, int32_t id)
      : plugInId(std::move(plugInId)), testId(testId), id(id) {}
  std::string PlugInID_get() const override { return plugInId; }
  int32_t TestID_get() const override { return testId; }
  int32_t ID_get() const override { return id; }

  std::string plugInId;
  int32_t testId, id;
};

class ElementParentTest : public ElementsTest {};

TEST_F(ElementParentTest, ASingleOrMultiTestBelongsInTheGroupOfItsHundred) {
  for (std::shared_ptr<CTestElement> element :
       {std::shared_ptr<CTestElement>(single(1010)), std::shared_ptr<CTestElement>(multi(1010))}) {
    EXPECT_TRUE(element->QuerySetParent(Parent("TRX440", 1000, 1000)));
    EXPECT_TRUE(element->QuerySetParent(Parent("TRX440", 1000, 7)));  // instance ids differ
    EXPECT_FALSE(element->QuerySetParent(Parent("TRX440", 1100, 1100)));
    EXPECT_FALSE(element->QuerySetParent(Parent("TRX440", 900, 900)));
  }
  EXPECT_FALSE(single(1100)->QuerySetParent(Parent("TRX440", 1000, 1000)));
}

TEST_F(ElementParentTest, TheWholeSequenceAndOtherPlugInsMayHoldAnyTest) {
  auto element = single(1510);
  EXPECT_TRUE(element->QuerySetParent(Parent("TRX440", 100, 100)));
  EXPECT_TRUE(element->QuerySetParent(Parent("TRX440", 100, 12)));  // a template's sequence
  EXPECT_TRUE(element->QuerySetParent(Parent("TRX440", 1000, 100)));
  EXPECT_TRUE(element->QuerySetParent(Parent("OTHER", 1000, 1000)));
  EXPECT_TRUE(element->QuerySetParent(Parent("", 200, 200)));
}

TEST_F(ElementParentTest, AGroupMayBePlacedAnywhere) {
  auto nested = group(1100);
  EXPECT_TRUE(nested->QuerySetParent(Parent("TRX440", 900, 900)));
  auto outer = group(900);
  outer->Add(nested);
  EXPECT_EQ(nested->Parent_get(), outer);
}

TEST_F(ElementParentTest, AddingAChildThatDoesNotBelongIsRefusedWithTheHostsError) {
  auto holder = group(1000);
  holder->Add(single(1010));
  auto stranger = single(1110);
  auto error = expectComError([&] { holder->Add(stranger); });
  EXPECT_EQ(error.number(), host_api::ElementError::ChildRefused);
  EXPECT_EQ(holder->Count(), 1);
  EXPECT_EQ(stranger->Parent_get(), nullptr);

  // Nor can a group hold itself or the group that holds it.
  auto inner = group(1100);
  holder->Add(inner);
  EXPECT_EQ(expectComError([&] { inner->Add(holder); }).number(),
            host_api::ElementError::ChildRefused);
  EXPECT_EQ(expectComError([&] { holder->Add(holder); }).number(),
            host_api::ElementError::ChildRefused);
}

TEST_F(ElementParentTest, ChildrenArePlacedAsTheRelationSays) {
  auto holder = group(1000);
  auto first = single(1010), second = single(1020), third = single(1030);
  holder->Add(first);
  holder->Add(third, first, host_api::InsertRelation::After);
  holder->Add(second, third, host_api::InsertRelation::Before);
  const auto children = holder->NewEnum();
  ASSERT_EQ(children.size(), 3u);
  EXPECT_EQ(children[0], first);
  EXPECT_EQ(children[1], second);
  EXPECT_EQ(children[2], third);
  EXPECT_EQ(second->Parent_get(), holder);
  EXPECT_EQ(holder->Item(0), nullptr);
  EXPECT_EQ(holder->FindElement(4711), nullptr);

  auto elsewhere = single(1040);
  EXPECT_EQ(expectComError([&] {
              holder->Add(single(1050), elsewhere, host_api::InsertRelation::Before);
            }).number(),
            host_api::ElementError::NoSuchRelative);
}

TEST_F(ElementParentTest, ARemovedChildNoLongerNamesTheGroup) {
  auto holder = group(1000);
  auto child = single(1010);
  holder->Add(child);
  holder->Remove(child);
  EXPECT_EQ(holder->Count(), 0);
  EXPECT_EQ(child->Parent_get(), nullptr);
  holder->Remove(nullptr);  // nothing to remove
  EXPECT_EQ(expectComError([&] { holder->Remove(child); }).number(), MPlugInErrors::errGroupRemove);
}

}  // namespace
