#include "apps/orvel/TemplatePrinter.h"

#include "apps/common/EnumNames.h"
#include "apps/common/JsonWriter.h"
#include "apps/orvel/ElementFacts.h"
#include "host_api/IProperties.h"

namespace orvel {

namespace {

std::string statusWords(int32_t status) {
  switch (status) {
    case 1:
      return "passed";
    case 2:
      return "failed";
    case 3:
      return "no verdict";
    default:
      return "not judged";
  }
}

// The device's applied parts as the plug-in's device data spells them; empty without any.
std::string modulesOf(const host::TestTemplate& testTemplate) {
  auto properties = std::dynamic_pointer_cast<host_api::IProperties>(testTemplate.deviceData());
  return properties ? properties->PropertyText_get("Modules") : std::string();
}

std::string orNone(const std::string& text) { return text.empty() ? "(none)" : text; }

void writeMeasurements(apps::JsonWriter& json, const host_api::IResultData& result) {
  json.key("measurements").beginArray();
  for (int32_t i = 1; i <= result.MeasurementCount_get(); ++i) {
    auto measurement = result.Measurement_get(platform::Variant(i));
    if (!measurement) continue;
    json.beginObject().key("key").value(measurement->Key_get());
    json.key("description").value(measurement->Description_get());
    json.key("value").value(measurement->Value_get().toString());
    json.key("unit").value(measurement->Unit_get());
    json.key("status").value(statusWords(measurement->Status_get())).endObject();
  }
  json.endArray();
}

void writeFacts(apps::JsonWriter& json, const ElementFacts& facts,
                const host_api::ITestElement& element) {
  json.key("id").value(facts.testId).key("class").value(facts.className);
  json.key("name").value(facts.name).key("test").value(facts.testText());
  json.key("options").beginObject();
  for (const auto& [name, value] : optionsOf(element)) json.key(name).value(value);
  json.endObject().key("limits").beginArray();
  for (const auto& standard : facts.standards) json.value(standard);
  json.endArray();
  auto result = element.Result_get();
  json.key("result");
  if (!result) {
    json.null();
    return;
  }
  json.beginObject().key("status").value(statusWords(result->Status_get()));
  writeMeasurements(json, *result);
  json.endObject();
}

}  // namespace

void TemplatePrinter::printTree(const host::TestTemplate& testTemplate) {
  printDevice(testTemplate);
  printElements(testTemplate.elements(), 0);
}

void TemplatePrinter::printDevice(const host::TestTemplate& testTemplate) {
  m_out << "Device: " << orNone(testTemplate.deviceName())
        << "  serial number: " << orNone(testTemplate.serialNumber()) << "\n";
  m_out << "Standard: " << orNone(testTemplate.standardText()) << "  class "
        << orNone(testTemplate.deviceClass()) << "\n";
  m_out << "Applied parts: " << orNone(modulesOf(testTemplate)) << "\n";
}

void TemplatePrinter::printElements(const Elements& elements, int depth) {
  for (const auto& element : elements) {
    auto facts = ElementFacts::of(element);
    std::string indent(static_cast<size_t>(depth) * 2, ' ');
    m_out << indent << facts.testId << "  " << facts.name << "  [" << facts.className << "]\n";
    if (facts.testCode) m_out << indent << "    test: " << facts.testText() << "\n";
    for (const auto& [name, value] : optionsOf(*element)) {
      m_out << indent << "    " << name << " = " << value << "\n";
    }
    for (const auto& standard : facts.standards) {
      m_out << indent << "    limits: " << standard << "\n";
    }
    printResult(*element, indent);
    printElements(facts.children, depth + 1);
  }
}

void TemplatePrinter::printResult(const host_api::ITestElement& element,
                                  const std::string& indent) {
  auto result = element.Result_get();
  if (!result) return;
  m_out << indent << "    result: " << statusWords(result->Status_get()) << "\n";
  for (int32_t i = 1; i <= result->MeasurementCount_get(); ++i) {
    auto measurement = result->Measurement_get(platform::Variant(i));
    if (!measurement) continue;
    m_out << indent << "      " << measurement->Description_get() << " ("
          << measurement->Key_get() << "): " << measurement->Value_get().toString() << " "
          << apps::EnumNames::unitSymbol(measurement->Unit_get()) << "  "
          << statusWords(measurement->Status_get()) << "\n";
  }
}

void TemplatePrinter::printJson(const host::TestTemplate& testTemplate) {
  apps::JsonWriter json(m_out);
  json.beginObject().key("device").beginObject();
  json.key("name").value(testTemplate.deviceName());
  json.key("serial_number").value(testTemplate.serialNumber());
  json.key("standard").value(testTemplate.standardText());
  json.key("class").value(testTemplate.deviceClass());
  json.key("applied_parts").value(modulesOf(testTemplate)).endObject();
  json.key("elements");
  writeElements(json, testTemplate.elements());
  json.endObject();
  m_out << "\n";
}

void TemplatePrinter::writeElements(apps::JsonWriter& json, const Elements& elements) {
  json.beginArray();
  for (const auto& element : elements) {
    auto facts = ElementFacts::of(element);
    json.beginObject();
    writeFacts(json, facts, *element);
    if (!facts.children.empty()) {
      json.key("children");
      writeElements(json, facts.children);
    }
    json.endObject();
  }
  json.endArray();
}

}  // namespace orvel
