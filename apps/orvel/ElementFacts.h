#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host_api/ITestElement.h"

namespace orvel {

// What the host can tell of a test element through the host's interfaces: its identity and
// texts, the instrument test it names (read from the element's settings by name), the limit
// standards it holds, and the options of its configuration.
struct ElementFacts {
  int32_t testId = 0;
  std::string className;  // "CTestSingle"; empty when the host cannot tell
  std::string name;
  std::string description;
  std::string unit;
  std::optional<int32_t> testCode;
  std::optional<int32_t> powerConfig;
  std::vector<std::string> standards;  // "IEC 62353 I"
  std::vector<std::shared_ptr<host_api::ITestElement>> children;

  static ElementFacts of(const std::shared_ptr<host_api::ITestElement>& element);

  // "Patient leakage, reversed mains (etcPatLeak epcNCRM)"; empty without a test.
  std::string testText() const;
  // "etcPatLeak" and "epcNCRM"; empty without a test.
  std::string testCodeName() const;
  std::string powerConfigName() const;
};

// The options of the element's configuration by name, with their values as text, in the order
// the configuration lists them; empty when it has none the host can read.
std::vector<std::pair<std::string, std::string>> optionsOf(const host_api::ITestElement& element);

}  // namespace orvel
