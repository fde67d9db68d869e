#include "plugin/entry/MCatalogue.h"

#include <array>

#include "driver/CTrxSafetyTest.h"
#include "host_api/HostServices.h"
#include "host_api/IElementCore.h"
#include "platform/components/ComponentRegistry.h"
#include "plugin/config/CConfigECG.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MXmlUtils.h"

namespace plugin::MCatalogue {

namespace {

using host_api::IXmlElement;
namespace Errors = MPlugInErrors;

const std::string& source() {
  static const std::string progId = MErrorConvention::ProgID("CPlugInTRX440");
  return progId;
}

constexpr std::array<const char*, 3> kElementClasses = {
    "orvelTRX440.CTestSingle", "orvelTRX440.CTestMulti", "orvelTRX440.CTestGroup"};

[[noreturn]] void raiseContent(const std::string& path, const std::string& what) {
  MErrorConvention::RaiseOwn(source(), Errors::errCatalogueContent, MErrorConvention::KindFailure,
                             {path, what});
}

std::string translated(const IXmlElement& node) {
  std::string lid = node.getAttribute("LID").value_or("");
  if (lid.empty()) return {};
  return host_api::hostServices().application->Translate(PlugInId, lid);
}

bool required(const IXmlElement& node) { return node.getAttribute("Required") == "True"; }

// The texts of an element's definition, collected before they go to its information object.
struct Definition {
  std::string type;
  std::string parameter;
  std::string name;
  std::string description;
};

void readElementDefinition(const IXmlElement& child, host_api::ITestElement& element,
                           IAutoTest& test, Definition& definition) {
  const std::string tag = child.tagName();
  if (tag == "Type")
    definition.type = translated(child);
  else if (tag == "Parameter")
    definition.parameter = translated(child);
  else if (tag == "Name")
    definition.name = translated(child);
  else if (tag == "Description")
    definition.description = translated(child);
  else if (tag == "ExpectedResult")
    element.Limits_get()->Load(child, nullptr);
  else if (tag == "Unit")
    test.Unit_let(translated(child));
  else if (tag == "TRX440Test") {
    if (auto safetyTest = test.SafetyTest_get()) safetyTest->Load(child);
  } else if (tag == "Module")
    test.RequireModules_let(required(child));
  else if (tag == "DCLimit")
    test.HasDCLimits_let(required(child));
  else if (tag == "TotalLimit")
    test.HasTotalLimits_let(required(child));
}

std::shared_ptr<host_api::IConfigData> configurationFor(const IAutoTest& test, int32_t testId) {
  if (test.IsGroup_get()) return std::make_shared<CConfigTestGroup>();
  if (testId == 300 || testId == 600 || testId == 700) return std::make_shared<CConfigResistance>();
  if (testId == 1900) return std::make_shared<CConfigECG>();
  return nullptr;
}

std::shared_ptr<platform::Object> createElementObject(const IXmlElement& node,
                                                      const std::string& path) {
  const std::string className = node.getAttribute("ClassName").value_or("");
  bool known = false;
  for (const char* progId : kElementClasses) known = known || className == progId;
  if (!known) raiseContent(path, "unknown element class \"" + className + "\"");
  auto& registry = platform::components::components();
  // A class this installation does not have leaves its element out; the rest still loads.
  if (!registry.isRegistered(className)) {
    MErrorConvention::RaiseOwn(source(), Errors::errElementUnavailable,
                               MErrorConvention::KindFailure);
  }
  return registry.create(className);
}

int32_t readTestId(const IXmlElement& node, const std::string& path) {
  if (node.getAttribute("ID").value_or("").empty()) {
    raiseContent(path, "an element of class \"" + node.getAttribute("ClassName").value_or("") +
                           "\" has no ID");
  }
  return MXmlUtils::ReadTruncatedInteger(node, "ID", 0);
}

void addChildren(const IXmlElement& node, host_api::ITestElement& element,
                 const std::string& path) {
  auto container = dynamic_cast<host_api::ITestContainer*>(&element);
  if (!container) return;
  for (const auto& child : node.children()) {
    if (child->tagName() != "TestElement") continue;
    auto built = CreateElementFromXml(*child, path);
    if (!built) continue;
    try {
      container->Add(built, nullptr, host_api::InsertRelation::Last);
    } catch (const platform::ComError& refused) {
      // A catalogue that places an element in a group it does not belong to is a faulty
      // catalogue, and the technician must learn which file and which elements.
      if (refused.number() != host_api::ElementError::ChildRefused) throw;
      raiseContent(path, "element " + std::to_string(built->TestID_get()) +
                             " may not be placed in group " + std::to_string(element.TestID_get()));
    }
  }
}

std::shared_ptr<host_api::ITestElement> buildElement(const IXmlElement& node,
                                                     const std::string& path) {
  auto object = createElementObject(node, path);
  const int32_t testId = readTestId(node, path);
  auto element = std::dynamic_pointer_cast<host_api::ITestElement>(object);
  auto test = std::dynamic_pointer_cast<IAutoTest>(object);
  if (!element || !test) raiseContent(path, "element " + std::to_string(testId) + " is no test");
  test->Initialize(testId, testId, configurationFor(*test, testId));
  Definition definition;
  for (const auto& child : node.children()) {
    readElementDefinition(*child, *element, *test, definition);
  }
  auto info = element->Info_get();
  info->SetType(definition.type, definition.parameter);
  info->Description_let(definition.description);
  info->Name_let(definition.name);
  addChildren(node, *element, path);
  return element;
}

std::shared_ptr<host_api::IXmlElement> templateData(const host_api::IXmlDocument& document,
                                                    const std::string& path) {
  auto root = document.documentElement();
  auto data = root ? root->findChild("TemplateData") : nullptr;
  if (!data) raiseContent(path, "it has no \"TemplateData\"");
  if (!data->hasChildNodes()) raiseContent(path, "its \"TemplateData\" is empty");
  return data;
}

// File errors of the system (not found, cannot be read) become the plug-in's catalogue errors.
[[noreturn]] void handleLoadError(const platform::ComError& error, const std::string& path) {
  const int32_t number = error.number();
  if (number == platform::RuntimeError::FileNotFound) {
    MErrorConvention::RaiseOwn(source(), Errors::errCatalogueNotFound,
                               MErrorConvention::KindFailure, {path});
  }
  if (number >= platform::RuntimeError::BadFileNameOrNumber &&
      number <= platform::RuntimeError::PathNotFound) {
    MErrorConvention::RaiseOwn(source(), Errors::errCatalogueFile, MErrorConvention::KindFailure,
                               {path, error.description()});
  }
  MErrorConvention::HandleError(error, source(), {Errors::errCatalogueContent});
}

}  // namespace

std::shared_ptr<host_api::ITestElement> CreateElementFromXml(const IXmlElement& node,
                                                             const std::string& path) {
  return MErrorConvention::Guarded(source(), {Errors::errCatalogueContent},
                                   [&] { return buildElement(node, path); });
}

std::shared_ptr<host_api::ITestContainer> LoadCatalogue(const std::string& path) {
  const std::initializer_list<int32_t> unavailable = {Errors::errElementUnavailable};
  try {
    std::shared_ptr<host_api::IXmlDocument> document;
    MErrorConvention::ResumeAfter(
        unavailable, [&] { document = host_api::hostServices().xml->loadDocument(path); });
    if (!document) return nullptr;
    auto data = templateData(*document, path);
    auto catalogue = host_api::hostServices().classes.newTestContainer();
    for (const auto& node : data->children()) {
      if (node->tagName() != "TestElement") continue;
      std::shared_ptr<host_api::ITestElement> element;
      MErrorConvention::ResumeAfter(unavailable,
                                    [&] { element = CreateElementFromXml(*node, path); });
      if (element) catalogue->Add(element, nullptr, host_api::InsertRelation::Last);
    }
    return catalogue;
  } catch (...) {
    handleLoadError(MErrorConvention::CurrentError(source()), path);
  }
}

}  // namespace plugin::MCatalogue
