#include <gtest/gtest.h>

#include <memory>

#include "platform/ComError.h"
#include "platform/forms/Form.h"
#include "platform/forms/Grid.h"
#include "platform/forms/ListView.h"

using namespace platform;
using namespace platform::forms;

namespace {

TEST(ListViewItems, InsertingAboveTheSelectionKeepsTheSelectedItem) {
  Form form("FList");
  auto& list = form.add<ListView>("lvwList");
  list.addItem("a", "A");
  list.addItem("c", "C");
  list.SelectedIndex_let(1);
  list.EnsureVisible(1);
  list.insertItem(1, "b", "B");
  EXPECT_EQ(list.items()[list.SelectedIndex_get()].key, "c");
  EXPECT_EQ(list.items()[list.VisibleIndex_get()].key, "c");
  list.insertItem(10, "d", "D");  // past the end: appended
  EXPECT_EQ(list.indexOf("b"), 1);
  EXPECT_EQ(list.indexOf("d"), 3);
  EXPECT_EQ(list.indexOf("B"), -1);  // keys only, exactly
  EXPECT_THROW(list.EnsureVisible(4), ComError);
  list.clearItems();
  EXPECT_EQ(list.VisibleIndex_get(), -1);
}

TEST(ListViewItems, CellsCarryTooltipsAndObjectsBesideTheirTexts) {
  Form form("FList");
  auto& list = form.add<ListView>("lvwList");
  auto& item = list.addItem("a", "A");
  item.setSubItem(2, "value");
  item.cell(2).toolTip = "the value";
  item.cell(2).data = std::make_shared<int>(7);
  EXPECT_EQ(item.subItems, (std::vector<std::string>{"", "", "value"}));
  EXPECT_EQ(item.subItem(5), "");
  EXPECT_EQ(item.findCell(0)->toolTip, "");
  EXPECT_EQ(item.findCell(3), nullptr);
  EXPECT_EQ(*std::any_cast<std::shared_ptr<int>>(item.findCell(2)->data), 7);
  EXPECT_EQ(list.visibleTexts().back(), "A |  |  | value");
}

TEST(ListViewItems, MouseDownReachesHandlersOnlyWhenTheListIsAvailable) {
  Form form("FList");
  auto& list = form.add<ListView>("lvwList");
  int button = 0;
  list.onMouseDown([&](int b, int, int, int) { button = b; });
  EXPECT_TRUE(list.mouseDown(2, 0, 5, 5));
  EXPECT_EQ(button, 2);
  list.Enabled_let(false);
  EXPECT_FALSE(list.mouseDown(1, 0, 5, 5));
  EXPECT_EQ(button, 2);
}

TEST(GridCells, PicturesAndColoursFollowTheirCellsWhenTheGridGrows) {
  Grid grid("sgGrid");
  grid.Rows_let(2);
  grid.Cols_let(2);
  grid.CellPicture_let(1, 1, "RESULT:CHECK");
  grid.CellForeColor_let(1, 0, 255);
  grid.Rows_let(4);
  grid.Cols_let(3);
  EXPECT_EQ(grid.CellPicture_get(1, 1), "RESULT:CHECK");
  EXPECT_EQ(grid.CellForeColor_get(1, 0), 255);
  EXPECT_EQ(grid.CellPicture_get(3, 2), "");
  EXPECT_EQ(grid.CellForeColor_get(3, 2), kDefaultColour);
  EXPECT_THROW(grid.CellPicture_get(4, 0), ComError);
}

TEST(GridCells, AClickedCellBecomesTheCurrentOneButHeadingsAreRefused) {
  Grid grid("sgGrid");
  grid.Rows_let(3);
  grid.Cols_let(3);
  int clicks = 0;
  grid.onClick([&] { ++clicks; });
  EXPECT_FALSE(grid.clickCell(0, 1));
  EXPECT_FALSE(grid.clickCell(1, 3));
  EXPECT_TRUE(grid.clickCell(2, 1));
  EXPECT_EQ(grid.Row_get(), 2);
  EXPECT_EQ(grid.Col_get(), 1);
  EXPECT_EQ(clicks, 1);
  grid.Cols_let(1);  // the current column is gone
  EXPECT_EQ(grid.Col_get(), -1);
}

}  // namespace
