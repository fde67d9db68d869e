#include "host/TemplateReader.h"

#include "host/HostXmlService.h"
#include "host/MNumberText.h"
#include "host/TemplateFile.h"
#include "platform/ComError.h"
#include "platform/components/ComponentRegistry.h"

namespace host {

namespace {

using host_api::IXmlElement;

constexpr const char* kSource = "Orvel.TestTemplate";

// "element 2 (TestID 300, "orvelTRX440.CTestSingle")": how a stored element is named in errors.
std::string elementContext(int position, const IXmlElement* stored) {
  std::string text = "element " + std::to_string(position);
  if (!stored) return text;
  return text + " (TestID " + stored->getAttribute("TestID").value_or("?") + ", \"" +
         stored->getAttribute("ClassName").value_or("") + "\")";
}

}  // namespace

TemplateReader::TemplateReader(std::filesystem::path path, host_api::ILoadLog* log)
    : m_path(std::move(path)), m_log(log) {}

void TemplateReader::fail(int32_t number, const std::string& context,
                          const std::string& why) const {
  auto where = TemplateFile::fileContext(m_path) + (context.empty() ? "" : ", " + context);
  throw platform::ComError(number, kSource, where + ": " + why);
}

template <typename Step>
void TemplateReader::step(const std::string& context, Step&& load) {
  auto where = TemplateFile::fileContext(m_path) + (context.empty() ? "" : ", " + context);
  TemplateFile::within(where, load);
  if (!m_log && !m_passed.empty()) {
    auto message = m_passed.messages().front();
    m_passed.clear();
    fail(platform::RuntimeError::InvalidFileFormat, context, message);
  }
}

template <typename Interface>
std::shared_ptr<Interface> TemplateReader::create(const std::string& progId,
                                                  const std::string& context) {
  if (progId.empty()) fail(platform::RuntimeError::InvalidFileFormat, context, "no \"ClassName\"");
  std::shared_ptr<platform::Object> made;
  step(context, [&] { made = platform::components::components().create(progId); });
  auto typed = std::dynamic_pointer_cast<Interface>(made);
  if (!typed) {
    fail(platform::RuntimeError::TypeMismatch, context,
         "\"" + progId + "\" makes no object of the kind stored here");
  }
  return typed;
}

std::shared_ptr<IXmlElement> TemplateReader::required(const IXmlElement& parent,
                                                      const std::string& name,
                                                      const std::string& context) {
  auto child = parent.findChild(name);
  if (!child) {
    fail(platform::RuntimeError::InvalidFileFormat, context, "\"" + name + "\" is missing");
  }
  return child;
}

std::shared_ptr<TestTemplate> TemplateReader::read() {
  // A missing or malformed file: the XML service's error names the file, line and reason.
  auto doc = HostXmlService().loadDocument(m_path);
  auto root = doc->documentElement();
  if (!root || root->tagName() != "TestTemplate") {
    fail(platform::RuntimeError::InvalidFileFormat, "",
         "it is no test template (its root element is \"" + (root ? root->tagName() : "") + "\")");
  }
  auto version = root->getAttribute("Version").value_or("");
  if (version != "1") {
    fail(platform::RuntimeError::InvalidFileFormat, "",
         "its version \"" + version + "\" is not one this host reads");
  }
  m_template = std::make_shared<TestTemplate>();
  readDevice(*root);
  auto standards = required(*root, "Standards", "");
  step("the standards", [&] { m_template->standards()->Load(*standards, log()); });
  readElements(*root);
  return m_template;
}

void TemplateReader::readDevice(const IXmlElement& root) {
  auto device = required(root, "Device", "");
  m_template->setDeviceName(device->getAttribute("Name").value_or(""));
  m_template->setSerialNumber(device->getAttribute("SerialNumber").value_or(""));
  auto standard = device->getAttribute("Standard").value_or("");
  if (!standard.empty()) {
    step("the device",
         [&] { m_template->setStandard(standard, device->getAttribute("Class").value_or("")); });
  }
  readDeviceData(*device);
}

void TemplateReader::readDeviceData(const IXmlElement& device) {
  for (const auto& stored : device.children()) {
    auto progId = stored->getAttribute("ClassName");
    if (!progId) continue;
    auto data = create<host_api::IConfigData>(*progId, "the device data");
    step("the device data (\"" + *progId + "\")", [&] { data->Load(*stored, log()); });
    m_template->setDeviceData(data, *progId);
    return;
  }
  m_template->setDeviceData(nullptr);
}

void TemplateReader::readElements(const IXmlElement& root) {
  auto elements = required(root, "Elements", "");
  int position = 0;
  for (const auto& wrapper : elements->children()) {
    ++position;
    if (wrapper->tagName() != "Element") {
      fail(platform::RuntimeError::InvalidFileFormat, "element " + std::to_string(position),
           "\"" + wrapper->tagName() + "\" is no \"Element\"");
    }
    readElement(*wrapper, position);
  }
}

void TemplateReader::readElement(const IXmlElement& wrapper, int position) {
  auto stored = required(wrapper, "TestElement", elementContext(position, nullptr));
  const auto context = elementContext(position, stored.get());
  // Without its TestID nobody could tell which test the element is, nor find it again.
  auto testId = MNumberText::parseLong(stored->getAttribute("TestID").value_or(""));
  if (!testId) fail(platform::RuntimeError::InvalidFileFormat, context, "no valid \"TestID\"");
  auto progId = stored->getAttribute("ClassName").value_or("");
  auto data = readHostData(wrapper, context);
  auto element = create<host_api::ITestElement>(progId, context);
  step(context, [&] { element->Load(*stored, log()); });
  step(context, [&] {
    m_template->addElement(element, progId);
    // The stored data as it stands, even where it differs from what a new element would get.
    m_template->setElementData(*element, std::move(data));
  });
}

HostData TemplateReader::readHostData(const IXmlElement& wrapper, const std::string& context) {
  HostData data;
  auto stored = wrapper.findChild("HostData");
  if (!stored) return data;
  for (const auto& entry : stored->children()) {
    auto name = entry->getAttribute("Name");
    if (entry->tagName() != "Entry" || !name) {
      fail(platform::RuntimeError::InvalidFileFormat, context,
           "its host data holds \"" + entry->tagName() + "\" without a \"Name\"");
    }
    data.emplace_back(*name, entry->text());
  }
  return data;
}

}  // namespace host
