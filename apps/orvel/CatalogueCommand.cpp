#include "apps/orvel/CatalogueCommand.h"

#include <string>

#include "apps/common/EnumNames.h"
#include "apps/common/JsonWriter.h"
#include "apps/orvel/ElementFacts.h"
#include "apps/orvel/Orvel.h"
#include "apps/orvel/OrvelSession.h"

namespace orvel {

namespace {

std::string joined(const std::vector<std::string>& items, const std::string& separator) {
  std::string text;
  for (const auto& item : items) text += (text.empty() ? "" : separator) + item;
  return text;
}

void writeElement(apps::JsonWriter& json, const ElementFacts& facts) {
  json.key("id").value(facts.testId).key("class").value(facts.className);
  json.key("name").value(facts.name).key("description").value(facts.description);
  json.key("unit").value(facts.unit);
  json.key("test_code");
  facts.testCode ? json.value(facts.testCodeName()) : json.null();
  json.key("power_configuration");
  facts.powerConfig ? json.value(facts.powerConfigName()) : json.null();
  json.key("limits").beginArray();
  for (const auto& standard : facts.standards) json.value(standard);
  json.endArray();
}

void writeElements(apps::JsonWriter& json,
                   const std::vector<std::shared_ptr<host_api::ITestElement>>& elements) {
  json.beginArray();
  for (const auto& element : elements) {
    auto facts = ElementFacts::of(element);
    json.beginObject();
    writeElement(json, facts);
    if (!facts.children.empty()) {
      json.key("children");
      writeElements(json, facts.children);
    }
    json.endObject();
  }
  json.endArray();
}

}  // namespace

int CatalogueCommand::run(const CatalogueRequest& request) {
  OrvelSession session;
  auto catalogue = session.plugIn().Tests_get();
  Elements elements = catalogue ? catalogue->NewEnum() : Elements{};
  if (request.json) {
    printJson(elements);
  } else {
    m_out << session.plugIn().Name_get() << " " << session.plugIn().Version_get() << "\n";
    printTree(elements, 0);
  }
  return kExitSuccess;
}

void CatalogueCommand::printTree(const Elements& elements, int depth) {
  for (const auto& element : elements) {
    auto facts = ElementFacts::of(element);
    std::string indent(static_cast<size_t>(depth) * 2, ' ');
    m_out << indent << facts.testId << "  " << facts.name << "  [" << facts.className << "]";
    if (!facts.unit.empty()) m_out << "  " << apps::EnumNames::unitSymbol(facts.unit);
    m_out << "\n";
    if (facts.testCode) m_out << indent << "    test: " << facts.testText() << "\n";
    if (!facts.standards.empty()) {
      m_out << indent << "    limits: " << joined(facts.standards, ", ") << "\n";
    }
    printTree(facts.children, depth + 1);
  }
}

void CatalogueCommand::printJson(const Elements& elements) {
  apps::JsonWriter json(m_out);
  json.beginObject().key("elements");
  writeElements(json, elements);
  json.endObject();
  m_out << "\n";
}

}  // namespace orvel
