#include "apps/orvel/OrvelSession.h"

#include "host/HostApplicationService.h"
#include "host_api/HostServices.h"

namespace orvel {

namespace {

void answerForTemplate(const std::shared_ptr<host::TestTemplate>& testTemplate) {
  auto* application =
      dynamic_cast<host::HostApplicationService*>(host_api::hostServices().application.get());
  if (application) application->setOpenTemplate(testTemplate);
}

constexpr const char* kPlugInSettings = "Software\\Tavik\\orvel\\TRX440";

bool plugInSettingsExist() {
  auto key = host_api::hostServices().newRegistryKey();
  return key->Open(host_api::RegistryRoot::LocalMachine, kPlugInSettings);
}

host::HostPlugIn loadPlugIn() {
  const bool firstRun = !plugInSettingsExist();
  host::HostPlugIn plugIn = host::HostPlugIn::load();
  // On the first run the plug-in has said that it uses its defaults; keeping them, as an
  // installation would, spares the technician that notice on every later run.
  if (firstRun) plugIn->Setup_get()->RegSave(0, "");
  return plugIn;
}

}  // namespace

OrvelSession::OrvelSession() : m_plugIn(loadPlugIn()) {}

// The host forgets the template before the plug-in that made its elements goes.
OrvelSession::~OrvelSession() {
  answerForTemplate(nullptr);
  m_open.reset();
}

std::shared_ptr<host::TestTemplate> OrvelSession::openTemplate(const std::filesystem::path& file) {
  auto loaded = host::TestTemplate::load(file);
  setOpenTemplate(loaded);
  handDeviceDataToPlugIn(*loaded);
  return loaded;
}

// A template read from its file holds device data made by ProgID, which the plug-in does not
// know as the device's own: its test guide would find no modules and leave every test of the
// applied parts out. The plug-in makes the device data itself, as for a new template, and takes
// over what was stored.
void OrvelSession::handDeviceDataToPlugIn(host::TestTemplate& testTemplate) {
  const auto stored = testTemplate.deviceData();
  if (!stored) return;
  auto own = plugIn().CreateDUTData();
  if (!own) return;
  auto document = host_api::hostServices().xml->createDocument();
  document->setDocumentElement(document->createElement("Device"));
  auto saved = stored->Save(*document->documentElement());
  if (saved) own->Load(*saved, nullptr);
  testTemplate.setDeviceData(own, testTemplate.deviceDataProgId());
}

void OrvelSession::setOpenTemplate(const std::shared_ptr<host::TestTemplate>& testTemplate) {
  m_open = testTemplate;
  answerForTemplate(testTemplate);
}

}  // namespace orvel
