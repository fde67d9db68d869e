#pragma once

#include <memory>
#include <ostream>
#include <vector>

#include "host/TestTemplate.h"

namespace apps {
class JsonWriter;
}

namespace orvel {

// Shows a template as a technician checks it before a run: the device with its standard and
// applied parts, then every element with its instrument test, options, limits and results.
class TemplatePrinter {
 public:
  explicit TemplatePrinter(std::ostream& out) : m_out(out) {}

  void printTree(const host::TestTemplate& testTemplate);
  void printJson(const host::TestTemplate& testTemplate);

 private:
  using Elements = std::vector<std::shared_ptr<host_api::ITestElement>>;
  void printDevice(const host::TestTemplate& testTemplate);
  void printElements(const Elements& elements, int depth);
  void printResult(const host_api::ITestElement& element, const std::string& indent);
  void writeElements(apps::JsonWriter& json, const Elements& elements);

  std::ostream& m_out;
};

}  // namespace orvel
