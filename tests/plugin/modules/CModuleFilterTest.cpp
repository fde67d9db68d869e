#include "plugin/modules/CModuleFilter.h"

#include "ModuleTestSupport.h"

using namespace plugin;
using modules_test::ModulesTest;

namespace {
class CModuleFilterTest : public ModulesTest {
 protected:
  std::string names(const CModuleFilter& f) const {
    std::string text;
    for (int32_t i = 1; i <= f.Count_get(); ++i) {
      auto item = f.Item(i);
      text += (item ? item->Name_get() : std::string("-")) + " ";
    }
    return text;
  }
  CModuleFilter filter;
};
}  // namespace

TEST_F(CModuleFilterTest, ItemsAreInsertedEmptiedAndClosedUpInOrder) {
  filter.Add("A", "1");
  filter.Add("C", "3");
  filter.Add("B", "2", 2);
  filter.Add("D", "4", 9);  // beyond the end: appended
  EXPECT_EQ(names(filter), "A B C D ");
  filter.Remove(2, false);
  filter.Remove(0, true);
  filter.Remove(7, true);
  EXPECT_EQ(names(filter), "A - C D ");
  EXPECT_FALSE(filter.IsEmpty());

  auto copy = filter.Clone();
  EXPECT_EQ(names(*copy), "A C D ");
  EXPECT_EQ(copy->Item(2)->Value_get(), "3");
  copy->Item(1)->Value_let("changed");
  EXPECT_EQ(filter.Item(1)->Value_get(), "1");

  filter.Remove(1, true);
  EXPECT_EQ(names(filter), "- C D ");
  filter.ReArrange();
  EXPECT_EQ(names(filter), "C D ");
  filter.Remove(1, false);
  filter.Remove(2, false);
  EXPECT_TRUE(filter.IsEmpty());
  filter.ReArrange();
  EXPECT_EQ(filter.Count_get(), 0);
  EXPECT_EQ(filter.Item(1), nullptr);
}

TEST_F(CModuleFilterTest, AnItemIsStoredAsAFilterItemElementOnlyWithAName) {
  CModuleFilterItem item;
  item.Name_let("Type");
  item.Value_let("ECG <5> & µ");
  auto root = owner();
  auto element = item.Save(*root);
  ASSERT_TRUE(element);
  CModuleFilterItem loaded;
  loaded.Load(*parse(root->ownerDocument()->toString())->child(0));
  EXPECT_EQ(loaded.Name_get(), "Type");
  EXPECT_EQ(loaded.Value_get(), "ECG <5> & µ");

  loaded.Load(*parse("<Filter Name=\"Type\">x</Filter>"));
  EXPECT_EQ(loaded.Name_get(), "");
  EXPECT_EQ(loaded.Value_get(), "");
  EXPECT_EQ(CModuleFilterItem().Save(*root), nullptr);
  EXPECT_EQ(root->childCount(), 1);
}
