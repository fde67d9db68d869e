#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "host_api/IResultData.h"
#include "platform/forms/Grid.h"

namespace plugin {

// The ECG checks of a result: one row per check with its description and a pass and a fail
// mark. A click in the pass or fail column of a row sets that check's verdict.
class XResultECG {
 public:
  static constexpr const char* GridName = "sgResult";
  static constexpr const char* ImageUnchecked = "RESULT:UNCHECK";
  static constexpr const char* ImageChecked = "RESULT:CHECK";
  static constexpr int32_t ColDescription = 0;
  static constexpr int32_t ColPass = 1;
  static constexpr int32_t ColFail = 2;

  explicit XResultECG(platform::forms::Grid& grid);
  // The grid's events call back into the view: it stays where it was made.
  XResultECG(const XResultECG&) = delete;
  XResultECG& operator=(const XResultECG&) = delete;

  // Fills the grid with the checks of `result`; null leaves an empty grid.
  void ShowTestResult(const std::shared_ptr<host_api::IResultData>& result);
  const std::shared_ptr<host_api::IResultData>& Result_get() const { return m_result; }

  // A row's verdict: true passed, false failed, nothing unchecked.
  std::optional<bool> RowVerdict_get(int32_t row) const;
  // Sets a row's marks (row 1 is the first check); the row turns red when it failed. The
  // check's reading takes the verdict (nothing leaves the reading as it is).
  void RowVerdict_let(int32_t row, std::optional<bool> passed);

 private:
  void buildColumns();
  void showVerdict(int32_t row, std::optional<bool> passed);
  void clicked();

  platform::forms::Grid& m_grid;
  std::shared_ptr<host_api::IResultData> m_result;
};

}  // namespace plugin
