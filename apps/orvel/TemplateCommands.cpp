#include "apps/orvel/TemplateCommands.h"

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "apps/orvel/Orvel.h"
#include "apps/orvel/OrvelSession.h"
#include "apps/orvel/TemplatePrinter.h"
#include "host_api/IProperties.h"
#include "host_api/ITestContainer.h"

namespace orvel {

namespace {

std::shared_ptr<host_api::ITestElement> catalogueClone(host_api::IPlugIn& plugIn, int32_t id) {
  auto element = plugIn.CreateTest(id);
  if (!element) {
    throw std::invalid_argument("The catalogue has no test element with the id " +
                                std::to_string(id) + " (see orvel catalogue)");
  }
  return element;
}

// The device data the plug-in hands out for the template's elements, with the applied parts
// the technician named. Applied parts for a template that tests none are refused rather than
// dropped: the technician would believe they are tested.
void addDeviceData(host_api::IPlugIn& plugIn, host::TestTemplate& testTemplate,
                   const std::string& modules) {
  auto data = plugIn.CreateDUTData();
  if (!data) {
    if (modules.empty()) return;
    throw std::invalid_argument(
        "--modules: none of these elements tests applied parts, so the template keeps none");
  }
  if (!modules.empty()) {
    auto properties = std::dynamic_pointer_cast<host_api::IProperties>(data);
    if (!properties) throw std::logic_error("The plug-in's device data takes no applied parts");
    properties->PropertyText_let("Modules", modules);
  }
  testTemplate.setDeviceData(data);
}

// Elements come from the catalogue without limits; the template's standard brings each element
// the limits the catalogue holds for that standard and class (or its keys without values, to be
// filled in, where the catalogue has none). Without this no reading would ever fail.
void createLimitStandards(const host::TestTemplate& testTemplate,
                          const std::vector<std::shared_ptr<host_api::ITestElement>>& elements) {
  auto selected = testTemplate.standards();
  for (const auto& element : elements) {
    auto limits = element->Limits_get();
    for (int32_t i = 1; limits && i <= selected->Count(); ++i) {
      auto standard = selected->Item(i);
      limits->CreateStandard(standard->StandardID_get(), standard->ClassName_get());
    }
    if (auto group = std::dynamic_pointer_cast<host_api::ITestContainer>(element)) {
      createLimitStandards(testTemplate, group->NewEnum());
    }
  }
}

// "NAME=VALUE" split at the first "="; a missing name or "=" is a usage error.
std::pair<std::string, std::string> assignment(const std::string& text) {
  auto equals = text.find('=');
  if (equals == std::string::npos || equals == 0) {
    throw std::invalid_argument("\"" + text + "\" is not NAME=VALUE");
  }
  return {text.substr(0, equals), text.substr(equals + 1)};
}

}  // namespace

int TemplateCommands::create(const NewTemplateRequest& request) {
  if (std::filesystem::exists(request.file) && !request.force) {
    throw std::invalid_argument(request.file + " exists already; --force replaces it");
  }
  OrvelSession session;
  auto testTemplate = std::make_shared<host::TestTemplate>();
  if (!request.standard.empty()) testTemplate->setStandard(request.standard, request.deviceClass);
  testTemplate->setDeviceName(request.device);
  testTemplate->setSerialNumber(request.serial);
  for (int32_t id : request.ids) {
    testTemplate->addElement(catalogueClone(session.plugIn(), id));
  }
  createLimitStandards(*testTemplate, testTemplate->elements());
  session.setOpenTemplate(testTemplate);
  addDeviceData(session.plugIn(), *testTemplate, request.modules);
  testTemplate->save(request.file);
  m_out << "Created " << request.file << " with " << testTemplate->count() << " element"
        << (testTemplate->count() == 1 ? "" : "s") << "\n";
  return kExitSuccess;
}

int TemplateCommands::show(const ShowTemplateRequest& request) {
  OrvelSession session;
  auto testTemplate = session.openTemplate(request.file);
  TemplatePrinter printer(m_out);
  request.json ? printer.printJson(*testTemplate) : printer.printTree(*testTemplate);
  return kExitSuccess;
}

int TemplateCommands::set(const SetOptionsRequest& request) {
  OrvelSession session;
  auto testTemplate = session.openTemplate(request.file);
  auto element = testTemplate->find(request.id);
  if (!element) {
    throw std::invalid_argument(request.file + " has no element with the id " +
                                std::to_string(request.id));
  }
  auto options = std::dynamic_pointer_cast<host_api::IProperties>(element->Configuration_get());
  if (!options) {
    throw std::invalid_argument("Element " + std::to_string(request.id) + " has no options");
  }
  // Every assignment is applied before anything is saved: one refused value leaves the file
  // as it was.
  for (const auto& text : request.assignments) {
    auto [name, value] = assignment(text);
    options->PropertyText_let(name, value);
  }
  testTemplate->save(request.file);
  for (const auto& text : request.assignments) {
    auto name = assignment(text).first;
    m_out << request.id << " " << name << " = " << options->PropertyText_get(name) << "\n";
  }
  return kExitSuccess;
}

}  // namespace orvel
