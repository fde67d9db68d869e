#pragma once

#include <memory>
#include <ostream>
#include <vector>

#include "host_api/ITestElement.h"

namespace orvel {

struct CatalogueRequest {
  bool json = false;
};

// `orvel catalogue`: the plug-in's test elements as a tree, each with its id, class, name, unit,
// instrument test and the limit standards it brings.
class CatalogueCommand {
 public:
  explicit CatalogueCommand(std::ostream& out) : m_out(out) {}
  int run(const CatalogueRequest& request);

 private:
  using Elements = std::vector<std::shared_ptr<host_api::ITestElement>>;
  void printTree(const Elements& elements, int depth);
  void printJson(const Elements& elements);

  std::ostream& m_out;
};

}  // namespace orvel
