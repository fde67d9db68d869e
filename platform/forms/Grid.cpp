#include "platform/forms/Grid.h"

#include "platform/ComError.h"
#include "platform/forms/FormErrors.h"

namespace platform::forms {

const char* Grid::kind() const { return "Grid"; }

Grid::Grid(std::string name) : Control(std::move(name)) { resize(2, 2); }

void Grid::resize(int32_t rows, int32_t cols) {
  rows = rows < 0 ? 0 : rows;
  cols = cols < 0 ? 0 : cols;
  const size_t size = static_cast<size_t>(rows) * static_cast<size_t>(cols);
  std::vector<std::string> cells(size);
  std::vector<CellLook> looks(size);
  for (int32_t r = 0; r < std::min(rows, m_rows); ++r) {
    for (int32_t c = 0; c < std::min(cols, m_cols); ++c) {
      cells[static_cast<size_t>(r) * cols + c] = std::move(m_cells[index(r, c)]);
      looks[static_cast<size_t>(r) * cols + c] = std::move(m_looks[index(r, c)]);
    }
  }
  m_cells = std::move(cells);
  m_looks = std::move(looks);
  m_rows = rows;
  m_cols = cols;
  m_widths.resize(static_cast<size_t>(cols), 10);
  if (m_row >= m_rows) m_row = -1;
  if (m_col >= m_cols) m_col = -1;
  shown();
}

void Grid::Rows_let(int32_t rows) { resize(rows, m_cols); }
void Grid::Cols_let(int32_t cols) { resize(m_rows, cols); }

size_t Grid::index(int32_t row, int32_t col) const {
  if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) {
    throw ComError(errNoSuchElement, name(),
                   "No cell " + std::to_string(row) + "," + std::to_string(col) + " in " + name());
  }
  return static_cast<size_t>(row) * static_cast<size_t>(m_cols) + static_cast<size_t>(col);
}

const std::string& Grid::TextMatrix_get(int32_t row, int32_t col) const {
  return m_cells[index(row, col)];
}

void Grid::TextMatrix_let(int32_t row, int32_t col, std::string text) {
  m_cells[index(row, col)] = std::move(text);
  shown();
}

const std::string& Grid::CellPicture_get(int32_t row, int32_t col) const {
  return m_looks[index(row, col)].picture;
}

void Grid::CellPicture_let(int32_t row, int32_t col, std::string picture) {
  m_looks[index(row, col)].picture = std::move(picture);
  shown();
}

int32_t Grid::CellForeColor_get(int32_t row, int32_t col) const {
  return m_looks[index(row, col)].foreColor;
}

void Grid::CellForeColor_let(int32_t row, int32_t col, int32_t colour) {
  m_looks[index(row, col)].foreColor = colour;
  shown();
}

void Grid::Redraw_let(bool redraw) {
  m_redraw = redraw;
  shown();
}

void Grid::shown() {
  if (m_redraw) changed();
}

bool Grid::clickCell(int32_t row, int32_t col) {
  if (!available() || row < m_fixedRows || row >= m_rows || col < 0 || col >= m_cols) {
    return false;
  }
  m_row = row;
  m_col = col;
  changed();
  fireClick();
  return true;
}

void Grid::checkColumn(int32_t col) const {
  if (col < 0 || col >= m_cols) {
    throw ComError(errNoSuchElement, name(), "No column " + std::to_string(col) + " in " + name());
  }
}

int32_t Grid::ColWidth_get(int32_t col) const {
  checkColumn(col);
  return m_widths[static_cast<size_t>(col)];
}

void Grid::ColWidth_let(int32_t col, int32_t width) {
  checkColumn(col);
  m_widths[static_cast<size_t>(col)] = width > 0 ? width : 1;
  changed();
}

bool Grid::chooseItem(const std::string& text) {
  if (!available() || m_cols == 0) return false;
  for (int32_t r = m_fixedRows; r < m_rows; ++r) {
    if (m_cells[index(r, 0)] != text) continue;
    m_row = r;
    m_col = 0;
    changed();
    fireClick();
    return true;
  }
  return false;
}

std::vector<std::string> Grid::visibleTexts() const {
  std::vector<std::string> texts;
  for (int32_t r = 0; r < m_rows; ++r) {
    std::string row;
    for (int32_t c = 0; c < m_cols; ++c) row += (c ? " | " : "") + m_cells[index(r, c)];
    texts.push_back(row);
  }
  return texts;
}

}  // namespace platform::forms
