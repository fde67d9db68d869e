#include "host/TemplateFile.h"

#include <functional>
#include <string>

#include "host/HostXmlService.h"
#include "host/TemplateReader.h"
#include "platform/ComError.h"
#include "platform/components/ComponentRegistry.h"

namespace host::TemplateFile {

namespace {

using host_api::IXmlElement;

constexpr const char* kSource = "Orvel.TestTemplate";
constexpr const char* kRoot = "TestTemplate";
constexpr const char* kVersion = "1";

[[noreturn]] void fail(int32_t number, const std::string& why) {
  throw platform::ComError(number, kSource, why);
}

// ---- saving ----

void saveHostData(const HostData& data, IXmlElement& owner) {
  auto element = owner.appendNewChild("HostData");
  for (const auto& [name, text] : data) {
    auto entry = element->appendNewChild("Entry");
    entry->setAttribute("Name", name);
    entry->setText(text);
  }
}

void saveDevice(const TestTemplate& testTemplate, IXmlElement& root) {
  auto device = root.appendNewChild("Device");
  device->setAttribute("Name", testTemplate.deviceName());
  device->setAttribute("SerialNumber", testTemplate.serialNumber());
  device->setAttribute("Standard", testTemplate.standardText());
  device->setAttribute("Class", testTemplate.deviceClass());
  const auto& data = testTemplate.deviceData();
  if (!data) return;
  const auto& progId = testTemplate.deviceDataProgId();
  if (progId.empty() || !platform::components::components().isRegistered(progId)) {
    fail(platform::RuntimeError::ClassNotRegistered,
         "the class \"" + progId +
             "\" of the device data is not registered; it could not be read "
             "back");
  }
  auto saved = within("device data", [&] { return data->Save(*device); });
  if (saved) saved->setAttribute("ClassName", progId);
}

void saveElement(const ElementList::Entry& entry, const HostData& data, IXmlElement& owner,
                 int position) {
  auto context = "element " + std::to_string(position) + " (TestID " +
                 std::to_string(entry.element->TestID_get()) + ")";
  auto progId = ElementList::progIdOf(entry);
  if (progId.empty()) {
    fail(platform::RuntimeError::ClassNotRegistered,
         context + ": its class is not registered; it could not be read back");
  }
  auto wrapper = owner.appendNewChild("Element");
  saveHostData(data, *wrapper);
  auto saved = within(context, [&] { return entry.element->Save(*wrapper); });
  if (!saved || saved->tagName() != "TestElement") {
    fail(platform::RuntimeError::InvalidFileFormat, context + ": it wrote no \"TestElement\"");
  }
  saved->setAttribute("ClassName", progId);
}

}  // namespace

std::shared_ptr<host_api::IXmlDocument> document(const TestTemplate& testTemplate) {
  auto doc = HostXmlService().createDocument();
  auto root = doc->createElement(kRoot);
  doc->setDocumentElement(root);
  root = doc->documentElement();
  root->setAttribute("Version", kVersion);
  saveDevice(testTemplate, *root);
  testTemplate.standards()->Save(*root);
  auto elements = root->appendNewChild("Elements");
  int position = 0;
  for (const auto& entry : testTemplate.elementList().entries()) {
    saveElement(entry, testTemplate.elementData(*entry.element), *elements, ++position);
  }
  return doc;
}

void save(const TestTemplate& testTemplate, const std::filesystem::path& path) {
  // The whole document is made before the file is touched, and replaced atomically.
  auto doc = within(fileContext(path), [&] { return document(testTemplate); });
  doc->save(path);
}

std::shared_ptr<TestTemplate> load(const std::filesystem::path& path, host_api::ILoadLog* log) {
  return TemplateReader(path, log).read();
}

std::string fileContext(const std::filesystem::path& path) {
  return "Test template \"" + path.string() + "\"";
}

platform::ComError withContext(const platform::ComError& error, const std::string& context) {
  return platform::ComError(error.number(), error.source(), context + ": " + error.description(),
                            error.helpFile(), error.helpContext());
}

}  // namespace host::TemplateFile
