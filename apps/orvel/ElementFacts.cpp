#include "apps/orvel/ElementFacts.h"

#include "apps/common/EnumNames.h"
#include "host/ElementList.h"
#include "host_api/IProperties.h"
#include "host_api/ITestContainer.h"

namespace orvel {

namespace {

std::string classNameOf(const std::shared_ptr<host_api::ITestElement>& element) {
  std::string progId = host::ElementList::progIdOf(host::ElementList::Entry{element, {}});
  auto dot = progId.rfind('.');
  return dot == std::string::npos ? progId : progId.substr(dot + 1);
}

std::optional<int32_t> numberProperty(const host_api::IProperties& properties,
                                      const std::string& name) {
  auto value = properties.Property_get(name);
  if (!value.isNumeric()) return std::nullopt;
  return static_cast<int32_t>(value.toDouble());
}

bool hasProperty(const host_api::IProperties& properties, const std::string& name) {
  for (const auto& known : properties.PropertyNames()) {
    if (known == name) return true;
  }
  return false;
}

void readTest(const host_api::ITestElement& element, ElementFacts& facts) {
  auto* properties = dynamic_cast<const host_api::IProperties*>(&element);
  if (!properties) return;
  if (hasProperty(*properties, "Unit")) facts.unit = properties->PropertyText_get("Unit");
  if (hasProperty(*properties, "TestCode")) facts.testCode = numberProperty(*properties, "TestCode");
  if (hasProperty(*properties, "PowerConfiguration")) {
    facts.powerConfig = numberProperty(*properties, "PowerConfiguration");
  }
}

void readStandards(host_api::ITestElement& element, ElementFacts& facts) {
  auto limits = element.Limits_get();
  auto standards = limits ? limits->Standards_get() : nullptr;
  if (!standards) return;
  for (int32_t i = 1; i <= standards->Count(); ++i) {
    facts.standards.push_back(standards->Item(i)->Name_get());
  }
}

}  // namespace

ElementFacts ElementFacts::of(const std::shared_ptr<host_api::ITestElement>& element) {
  ElementFacts facts;
  facts.testId = element->TestID_get();
  facts.className = classNameOf(element);
  if (auto info = element->Info_get()) {
    facts.name = info->Name_get();
    facts.description = info->Description_get();
  }
  readTest(*element, facts);
  readStandards(*element, facts);
  if (auto container = std::dynamic_pointer_cast<host_api::ITestContainer>(element)) {
    facts.children = container->NewEnum();
  }
  return facts;
}

std::string ElementFacts::testText() const {
  if (!testCode || !powerConfig) return {};
  return apps::EnumNames::describeTest(static_cast<vti::ETrxTestCode>(*testCode),
                                       static_cast<vti::ETrxPowerConfiguration>(*powerConfig));
}

std::string ElementFacts::testCodeName() const {
  return testCode ? apps::EnumNames::testCodeName(static_cast<vti::ETrxTestCode>(*testCode))
                  : std::string();
}

std::string ElementFacts::powerConfigName() const {
  return powerConfig ? apps::EnumNames::powerConfigName(
                           static_cast<vti::ETrxPowerConfiguration>(*powerConfig))
                     : std::string();
}

std::vector<std::pair<std::string, std::string>> optionsOf(const host_api::ITestElement& element) {
  std::vector<std::pair<std::string, std::string>> options;
  auto properties = std::dynamic_pointer_cast<host_api::IProperties>(element.Configuration_get());
  if (!properties) return options;
  for (const auto& name : properties->PropertyNames()) {
    options.emplace_back(name, properties->PropertyText_get(name));
  }
  return options;
}

}  // namespace orvel
