#include "plugin/core/MPlugInErrors.h"

#include <utility>

namespace plugin::MPlugInErrors {

namespace {
std::pair<const int32_t, std::string> message(int32_t number, const char* english) {
  return {number, std::to_string(static_cast<uint32_t>(number) & 0xFFFFu) + "::" + english};
}
}  // namespace

const std::map<int32_t, std::string>& Messages() {
  static const std::map<int32_t, std::string> messages{
      message(errStopRun, "The test run was stopped."),
      message(errNotInitialized, "The plug-in has not been initialized."),
      message(errCatalogueNotFound, "The test element catalogue file %%1 was not found."),
      message(errCatalogueContent,
              "The test element catalogue file %%1 does not have the required content: %%2."),
      message(errSettingsKey, "The plug-in settings could not be opened in the registry."),
      message(errCatalogueFile, "The test element catalogue file %%1 could not be read: %%2."),
      message(errElementLoad, "The test element could not be loaded."),
      message(errGroupSave, "The test group could not be saved."),
      message(errElementRunUnavailable,
              "Test elements cannot be run: the host offers no test guide to run them in."),
      message(errGroupRemove, "The test element could not be removed from the test group."),
      message(errModuleLoad, "The patient-lead module could not be loaded."),
      message(errConfigSave, "The configuration could not be saved."),
      message(errModuleContent, "The patient-lead module data is not valid."),
      message(errNotAResultItem, "The stored result is not a \"ResultItem\" element."),
      message(errResultSave, "The result data could not be saved."),
      message(errMeasurementLoad, "The measurement could not be loaded."),
      message(errMeasurementSave, "The measurement could not be saved."),
      message(errLimitDataElement, "The stored limits are not an \"ExpectedResult\" element."),
      message(errElementUnavailable,
              "A test element of the catalogue is not available in this installation."),
      message(errRegistryRead, "The plug-in settings could not be read from the registry."),
      message(errRegistryWrite, "The plug-in settings could not be written to the registry."),
      message(errRegistryValueMissing,
              "The plug-in settings in the registry lack %%1; the default is used."),
  };
  return messages;
}

}  // namespace plugin::MPlugInErrors
