#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/TestTemplate.h"

namespace orvel {

// One limit a reading is judged against, in the selected standard.
struct LimitText {
  std::string standard;  // "IEC 62353 I"
  std::optional<float> high;
  std::optional<float> low;
  std::string unit;
};

struct MeasurementRow {
  std::string key;
  std::string description;
  std::string value;  // as the element keeps it ("0.106", "OL"); empty without a reading
  bool numeric = false;
  double number = 0;
  std::string unit;
  int32_t status = 0;  // host_api::ResultStatus
  std::vector<LimitText> limits;
};

struct ElementRow {
  int32_t id = 0;     // the element's TestID
  int32_t depth = 0;  // 0 for a top-level element
  std::string name;
  int32_t status = 0;  // host_api::ResultStatus of its result
  std::vector<MeasurementRow> measurements;
};

// The results of a template after a run, as `orvel run` prints them: every element depth first
// with its status, and its readings with their limits in the template's standards.
class RunResults {
 public:
  static RunResults of(const host::TestTemplate& testTemplate);

  const std::vector<ElementRow>& elements() const { return m_elements; }

  // "passed", "failed", "no verdict", "not performed".
  static std::string statusText(int32_t status);
  // The table a person reads: one line an element, one a reading below it.
  void printTable(std::ostream& out) const;
  // One JSON object: {"elements":[{"id","name","status","measurements":[...]}...]}.
  void printJson(std::ostream& out, const std::string& ended) const;

 private:
  std::vector<ElementRow> m_elements;
};

}  // namespace orvel
