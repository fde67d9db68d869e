#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform::forms {

// A grid of text cells; the first FixedRows rows are headings.
class ORVEL_PLATFORM_API Grid : public Control {
 public:
  explicit Grid(std::string name);
  const char* kind() const override;
  bool canFocus() const override { return true; }

  int32_t Rows_get() const { return m_rows; }
  void Rows_let(int32_t rows);
  int32_t Cols_get() const { return m_cols; }
  void Cols_let(int32_t cols);
  int32_t FixedRows_get() const { return m_fixedRows; }
  void FixedRows_let(int32_t rows) { m_fixedRows = rows < 0 ? 0 : rows; }
  // A cell outside the grid throws ComError 381.
  const std::string& TextMatrix_get(int32_t row, int32_t col) const;
  void TextMatrix_let(int32_t row, int32_t col, std::string text);
  int32_t ColWidth_get(int32_t col) const;
  void ColWidth_let(int32_t col, int32_t width);
  // A picture shown in a cell (an image resource name, empty for none), and a cell's colour.
  // Cells outside the grid throw ComError 381 as the texts do.
  const std::string& CellPicture_get(int32_t row, int32_t col) const;
  void CellPicture_let(int32_t row, int32_t col, std::string picture);
  int32_t CellForeColor_get(int32_t row, int32_t col) const;
  void CellForeColor_let(int32_t row, int32_t col, int32_t colour);
  // While false, edits are not shown; setting it true again shows them all at once.
  bool Redraw_get() const { return m_redraw; }
  void Redraw_let(bool redraw);
  // The operator's row and column; -1 for none.
  int32_t Row_get() const { return m_row; }
  int32_t Col_get() const { return m_col; }

  // The operator clicks a cell: it becomes the current row and column, and Click fires.
  // Refused for a heading row, a cell outside the grid, or a grid that is not available.
  bool clickCell(int32_t row, int32_t col);

  // Selects the first body row whose first cell has that text, and fires Click.
  bool chooseItem(const std::string& text) override;
  std::vector<std::string> visibleTexts() const override;

 private:
  size_t index(int32_t row, int32_t col) const;
  void checkColumn(int32_t col) const;
  void resize(int32_t rows, int32_t cols);
  void shown();

  int32_t m_rows = 0;
  int32_t m_cols = 0;
  int32_t m_fixedRows = 1;
  int32_t m_row = -1;
  int32_t m_col = -1;
  bool m_redraw = true;
  struct CellLook {
    std::string picture;
    int32_t foreColor = kDefaultColour;
  };
  std::vector<std::string> m_cells;
  std::vector<CellLook> m_looks;
  std::vector<int32_t> m_widths;
};

}  // namespace platform::forms
