// orvel-demo: writes a settings file and an XML document through the host's services into a
// fresh folder, reads both back through the plug-in's tools and shows what came back. It exits
// with 1 when anything failed or read back differently.

#include <stdlib.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "DemoChecks.h"
#include "host/HostServicesInstaller.h"
#include "platform/ComError.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MSharedTools.h"
#include "plugin/core/MXmlUtils.h"

namespace {
using platform::Variant;
using namespace plugin;

std::string fileText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::ostringstream out;
  for (std::string line; std::getline(in, line);) out << "  | " << line << "\n";
  return out.str();
}

void settingsRoundTrip(const std::filesystem::path& file, DemoChecks& checks) {
  auto& services = host_api::hostServices();
  auto plugInKey = services.newRegistryKey();
  if (!plugInKey->Open(host_api::RegistryRoot::LocalMachine, MSharedTools::PlugInKey, true)) {
    throw platform::ComError(platform::RuntimeError::PathFileAccess, "orvel-demo",
                             "Cannot create the plug-in's settings key");
  }
  plugInKey->WriteLong("Nomenclature", 1);
  plugInKey->WriteInteger("PolarityDelay", 3);
  plugInKey->WriteText("Port", "/dev/ttyUSB0");
  auto systemKey = services.newRegistryKey();
  systemKey->Open(host_api::RegistryRoot::LocalMachine, MSharedTools::SystemKey, true);
  systemKey->WriteLong("Test guide settings", 9);

  std::cout << "Settings file " << file.string() << ":\n" << fileText(file) << "\nRead back:\n";
  checks.expect("Nomenclature", int32_t(1), MSharedTools::DefaultNomenclature());
  checks.expect("PolarityDelay", int32_t(3), int32_t(MSharedTools::DefaultPolarityDelay()));
  checks.expect("Port", "/dev/ttyUSB0", plugInKey->ReadText("Port").value_or(""));
  checks.expect("Test guide on top", true, MSharedTools::TestGuideOnTop());
}

void xmlRoundTrip(const std::filesystem::path& file, DemoChecks& checks) {
  auto& xml = *host_api::hostServices().xml;
  auto doc = xml.createDocument();
  auto root = doc->createElement("PlugInData");
  root->setAttribute("PlugIn", PlugInId);
  doc->setDocumentElement(root);
  auto options = root->appendChild(doc->createElement("TestOptions"));
  MXmlUtils::WriteBoolean(*options, "HaltOnFail", true);
  MXmlUtils::WriteInteger(*options, "PolaritySwitchingDelay", -3);
  auto measurement = root->appendChild(doc->createElement("Measurement"));
  xml.writeValue(*measurement, "Value", Variant(0.153));
  xml.writeValue(*measurement, "Unit", Variant("mA"));
  xml.writeValue(*measurement, "Status", Variant(int32_t(1)));
  doc->save(file);

  std::cout << "\nXML document " << file.string() << ":\n" << fileText(file) << "\nRead back:\n";
  auto loaded = xml.loadDocument(file)->documentElement();
  auto readOptions = loaded->findChild("TestOptions");
  auto readMeasurement = loaded->findChild("Measurement");
  if (!readOptions || !readMeasurement) {
    throw platform::ComError(platform::RuntimeError::InvalidFileFormat, "orvel-demo",
                             "The saved document lost its elements");
  }
  checks.expect("PlugIn", PlugInId, loaded->getAttribute("PlugIn").value_or(""));
  checks.expect("HaltOnFail", true, MXmlUtils::ReadBoolean(*readOptions, "HaltOnFail"));
  checks.expect("Override (absent)", true, MXmlUtils::ReadBoolean(*readOptions, "Override"));
  checks.expect("PolaritySwitchingDelay", int32_t(-3),
                MXmlUtils::ReadInteger(*readOptions, "PolaritySwitchingDelay", 1));
  checks.expect("Measurement Value", 0.153,
                xml.readValue(*readMeasurement, "Value").value_or(Variant()));
  checks.expect("Measurement Unit", "mA",
                xml.readValue(*readMeasurement, "Unit").value_or(Variant()));
  checks.expect("Measurement Status", int32_t(1),
                xml.readValue(*readMeasurement, "Status").value_or(Variant()));
}
}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Writes a settings file and an XML document and shows what reads back."};
  bool keep = false;
  std::string language;
  app.add_flag("--keep", keep, "keep the folder with the written files");
  app.add_option("--lang", language, "language of the texts shown (for example de)");
  CLI11_PARSE(app, argc, argv);

  std::string pattern = (std::filesystem::temp_directory_path() / "orvel-demo-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::cerr << "orvel-demo: cannot create a temporary folder\n";
    return 1;
  }
  const std::filesystem::path folder = pattern;
  setenv("ORVEL_REGISTRY", (folder / "registry.ini").c_str(), 1);
  if (!language.empty()) setenv("ORVEL_LANG", language.c_str(), 1);

  int status = 0;
  try {
    auto services = host::installHostServices();
    DemoChecks checks(std::cout);
    settingsRoundTrip(folder / "registry.ini", checks);
    xmlRoundTrip(folder / "options.xml", checks);
    std::cout << "\nA message as the test guide would show it:\n  "
              << services->application->Translate(
                     PlugInId, "20030::The test will automatically continue in %%1 seconds.",
                     {Variant(int32_t(10))})
              << "\n";
    try {
      const std::string source = MErrorConvention::ProgID("CPlugInTRX440");
      MErrorConvention::Guarded(source, {}, [&] {
        MErrorConvention::RaiseOwn(source, MPlugInErrors::errCatalogueNotFound, 2);
      });
    } catch (const platform::ComError& error) {
      std::cout << "An error as the host reports it:\n  " << error.what() << "\n";
    }
    if (checks.failures() > 0) {
      std::cout << "\n" << checks.failures() << " value(s) read back differently.\n";
      status = 1;
    } else {
      std::cout << "\nEverything read back as written.\n";
    }
  } catch (const std::exception& error) {
    std::cerr << "orvel-demo: " << error.what() << "\n";
    status = 1;
  }
  if (keep) {
    std::cout << "Files kept in " << folder.string() << "\n";
  } else {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  return status;
}
