#include "plugin/results/XResultECG.h"

#include "host_api/HostServices.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/results/CMeasurement.h"

namespace plugin {

namespace {
constexpr int32_t ColourFailed = 255;
// Column widths in characters: 150 and 90 pixels of the grid at about six pixels a character.
constexpr int32_t WidthDescription = 25;
constexpr int32_t WidthMark = 15;

std::string translate(const std::string& text) {
  return host_api::hostServices().application->Translate(PlugInId, text);
}

std::optional<bool> verdictOf(const host_api::IMeasurement& m) {
  switch (m.Status_get()) {
    case host_api::ResultStatus::Passed:
      return true;
    case host_api::ResultStatus::Failed:
      return false;
    default:
      return std::nullopt;  // not judged yet
  }
}
}  // namespace

XResultECG::XResultECG(platform::forms::Grid& grid) : m_grid(grid) {
  m_grid.onClick([this] { clicked(); });
}

void XResultECG::buildColumns() {
  m_grid.Cols_let(3);
  m_grid.FixedRows_let(1);
  const std::pair<const char*, int32_t> columns[] = {{"20350::Description", WidthDescription},
                                                     {"20351::Pass", WidthMark},
                                                     {"20352::Fail", WidthMark}};
  for (int32_t col = 0; col < 3; ++col) {
    m_grid.TextMatrix_let(0, col, translate(columns[col].first));
    m_grid.ColWidth_let(col, columns[col].second);
  }
}

void XResultECG::ShowTestResult(const std::shared_ptr<host_api::IResultData>& result) {
  m_result = result;
  if (!result) return;
  m_grid.Redraw_let(false);
  const int32_t count = result->MeasurementCount_get();
  m_grid.Rows_let(1);  // drops the rows of an earlier result with their marks and colours
  m_grid.Rows_let(1 + count);
  buildColumns();
  for (int32_t row = 1; row <= count; ++row) {
    auto m = result->Measurement_get(platform::Variant(row));
    m_grid.TextMatrix_let(row, ColDescription, m ? m->Description_get() : std::string());
    showVerdict(row, m ? verdictOf(*m) : std::nullopt);
  }
  m_grid.Redraw_let(true);
}

std::optional<bool> XResultECG::RowVerdict_get(int32_t row) const {
  if (m_grid.CellPicture_get(row, ColPass) == ImageChecked) return true;
  if (m_grid.CellPicture_get(row, ColFail) == ImageChecked) return false;
  return std::nullopt;
}

void XResultECG::showVerdict(int32_t row, std::optional<bool> passed) {
  const bool pass = passed == true;
  const bool fail = passed == false;
  m_grid.CellPicture_let(row, ColPass, pass ? ImageChecked : ImageUnchecked);
  m_grid.CellPicture_let(row, ColFail, fail ? ImageChecked : ImageUnchecked);
  // The marks as text too, for screens that show no pictures.
  m_grid.TextMatrix_let(row, ColPass, pass ? "x" : "");
  m_grid.TextMatrix_let(row, ColFail, fail ? "x" : "");
  for (int32_t col = 0; col < m_grid.Cols_get(); ++col) {
    m_grid.CellForeColor_let(row, col, fail ? ColourFailed : platform::forms::kDefaultColour);
  }
}

// The operator's mark is the check's verdict: the reading behind the row takes it, so the
// result that is kept says what the grid showed.
void XResultECG::RowVerdict_let(int32_t row, std::optional<bool> passed) {
  showVerdict(row, passed);
  auto m = m_result ? std::dynamic_pointer_cast<CMeasurement>(
                          m_result->Measurement_get(platform::Variant(row)))
                    : nullptr;
  if (!m || !passed) return;
  m->Value_let(platform::Variant(*passed));
  m->Status_let(*passed ? host_api::ResultStatus::Passed : host_api::ResultStatus::Failed);
}

void XResultECG::clicked() {
  const int32_t row = m_grid.Row_get();
  if (!m_result || row < m_grid.FixedRows_get()) return;
  if (m_grid.Col_get() == ColPass) RowVerdict_let(row, true);
  if (m_grid.Col_get() == ColFail) RowVerdict_let(row, false);
}

}  // namespace plugin
