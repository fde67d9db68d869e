#include "apps/orvel/TemplateCommands.h"

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "apps/orvel/Orvel.h"
#include "apps/orvel/OrvelSession.h"
#include "apps/orvel/TemplatePrinter.h"
#include "host_api/IProperties.h"

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
  testTemplate->createLimitStandards();
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
