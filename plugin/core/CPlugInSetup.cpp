#include "plugin/core/CPlugInSetup.h"

#include <optional>
#include <vector>

#include "host_api/HostServices.h"
#include "plugin/core/FElementSetup.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MSharedTools.h"

namespace plugin {

namespace {
using namespace MPlugInErrors;

const std::string Source = MErrorConvention::ProgID("CPlugInSetup");

enum class OpenMode { Existing, Create };

std::unique_ptr<host_api::IRegistryKey> openKey(uint32_t lKey, const std::string& sRegKey,
                                                OpenMode mode) {
  auto key = host_api::hostServices().newRegistryKey();
  if (lKey != 0) {
    key->Open(lKey, sRegKey, mode == OpenMode::Create);
  } else {
    key->Open(host_api::RegistryRoot::LocalMachine, MSharedTools::PlugInKey,
              mode == OpenMode::Create);
  }
  return key;
}

// A value read from the registry; nothing when it is missing, whether the registry says so by
// giving nothing or by raising its "value missing" error.
template <typename Read>
auto valueOrNothing(Read&& read) -> decltype(read()) {
  decltype(read()) value;
  MErrorConvention::ResumeAfter({errRegistryValueMissing}, [&] { value = read(); });
  return value;
}

// The value, or `fallback` with `name` noted as missing.
template <typename T>
T orDefault(const std::optional<T>& value, T fallback, const char* name,
            std::vector<std::string>& missing) {
  if (value) return *value;
  missing.push_back(name);
  return fallback;
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}
}  // namespace

CPlugInSetup::CPlugInSetup(std::string libraryFolder) : m_libraryFolder(std::move(libraryFolder)) {}

int32_t CPlugInSetup::UsablePolarityDelay(int32_t seconds) {
  return seconds >= 1 && seconds <= 5 ? seconds : DefaultPolarityDelay;
}

// A fresh installation has neither the key nor its values; it must still start, so every
// setting takes its default and the host is told once (a missing key, or the values missing
// from a key), instead of the first gap ending the load before the catalogue path is set. The
// catalogue path is never saved, so its absence is normal and not reported.
void CPlugInSetup::RegLoad(uint32_t lKey, const std::string& sRegKey) {
  MErrorConvention::Guarded(Source, {errRegistryRead, errRegistryWrite}, [&] {
    auto key = openKey(lKey, sRegKey, OpenMode::Existing);
    if (!key->IsOpen()) {
      MErrorConvention::Report(Source, errSettingsKey, MErrorConvention::KindNotice);
    }
    loadConfiguration(valueOrNothing([&] { return key->ReadText("Configuration"); }).value_or(""));
    std::vector<std::string> missing;
    m_nomenclature = orDefault(valueOrNothing([&] { return key->ReadLong("Nomenclature"); }),
                               DefaultNomenclature, "Nomenclature", missing);
    m_polarityDelay = UsablePolarityDelay(
        orDefault(valueOrNothing([&] { return key->ReadLong("PolarityDelay"); }),
                  DefaultPolarityDelay, "PolarityDelay", missing));
    if (key->IsOpen() && !missing.empty()) {
      MErrorConvention::Report(Source, errRegistryValueMissing, MErrorConvention::KindNotice,
                               {platform::Variant(joined(missing))});
    }
  });
}

std::shared_ptr<host_api::IDialog> CPlugInSetup::CreateDialog() {
  return MErrorConvention::GuardedReporting(Source, {}, [&] {
    auto self = weak_from_this().lock();
    if (!self) {
      throw platform::ComError(platform::RuntimeError::ObjectRequired, Source,
                               "The settings are not held where a dialog can edit them");
    }
    auto dialog = std::make_shared<FElementSetup>();
    dialog->CreateSetupCtrl(PreferencesProgID);
    dialog->Initialize(PreferencesDialogFlags,
                       platform::Variant(std::static_pointer_cast<platform::Object>(self)));
    return std::shared_ptr<host_api::IDialog>(dialog);
  });
}

void CPlugInSetup::loadConfiguration(const std::string& stored) {
  m_configuration = stored;
  if (m_configuration.empty()) {
    m_configuration =
        host_api::hostServices().paths->AppendSeparator(m_libraryFolder) + CatalogueFileName;
  }
}

// Saving creates the key: otherwise settings changed on a fresh installation could never be
// kept. A key that cannot be created ends the save with an error rather than losing the values
// silently.
void CPlugInSetup::RegSave(uint32_t lKey, const std::string& sRegKey) {
  MErrorConvention::Guarded(Source, {errRegistryRead, errRegistryWrite}, [&] {
    auto key = openKey(lKey, sRegKey, OpenMode::Create);
    if (!key->IsOpen()) {
      MErrorConvention::RaiseOwn(Source, errSettingsKey, MErrorConvention::KindFailure);
    }
    MErrorConvention::ResumeAfter({errRegistryValueMissing},
                                  [&] { key->WriteLong("Nomenclature", m_nomenclature); });
    MErrorConvention::ResumeAfter({errRegistryValueMissing},
                                  [&] { key->WriteLong("PolarityDelay", m_polarityDelay); });
  });
}

}  // namespace plugin
