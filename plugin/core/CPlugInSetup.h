#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/ISetup.h"
#include "plugin/core/MLibraryLocation.h"

namespace plugin {

// The plug-in's installation-wide settings: where the test element catalogue lies, the module
// nomenclature and the polarity switching delay. Loaded from and saved to the host registry
// when the host asks; every other class reads its defaults from the one object the plug-in
// entry owns.
//
// The host's settings dialog edits the object itself, so it must be owned by a shared_ptr
// (std::make_shared) for CreateDialog to hand it over; one that is not gets no dialog.
class CPlugInSetup : public host_api::ISetup, public std::enable_shared_from_this<CPlugInSetup> {
 public:
  static constexpr const char* CatalogueFileName = "orvelTRX440.mpc";
  static constexpr int32_t DefaultNomenclature = 0;  // IEC terms
  static constexpr int32_t DefaultPolarityDelay = 1;

  // `libraryFolder` is where the catalogue lies when no other place is set.
  explicit CPlugInSetup(std::string libraryFolder = MLibraryLocation::Folder());

  const std::string& Configuration_get() const { return m_configuration; }
  void Configuration_let(const std::string& value) { m_configuration = value; }
  int32_t Nomenclature_get() const { return m_nomenclature; }
  void Nomenclature_let(int32_t value) { m_nomenclature = value; }
  int32_t PolarityDelay_get() const { return m_polarityDelay; }
  void PolarityDelay_let(int32_t value) { m_polarityDelay = value; }

  bool HasDialog_get() const override { return true; }
  // The settings travel as the values above; the host's generic settings object is not used.
  std::shared_ptr<platform::Object> Settings_get() const override { return nullptr; }
  void Settings_set(const std::shared_ptr<platform::Object>&) override {}
  // The generic setup dialog holding the preferences page for this object; null (with the
  // error shown) when it cannot be made.
  std::shared_ptr<host_api::IDialog> CreateDialog() override;

  // Reads the three values from `sRegKey` under root `lKey`, or from the plug-in's own key when
  // `lKey` is 0. Settings that were never saved take their defaults, and the host is told once.
  void RegLoad(uint32_t lKey, const std::string& sRegKey) override;
  // Writes the nomenclature and the delay (never the catalogue path), creating the key.
  void RegSave(uint32_t lKey, const std::string& sRegKey) override;

  // A delay in seconds the analyzer can use: 1 to 5; anything else (0 would switch polarity
  // without any delay) gives 1.
  static int32_t UsablePolarityDelay(int32_t seconds);

  static constexpr const char* PreferencesProgID = "orvelTRX440.XPlugInPreferences";
  // How the host shows the preferences page: as a page of its settings dialog.
  static constexpr int32_t PreferencesDialogFlags = 9;

 private:
  void loadConfiguration(const std::string& stored);

  std::string m_libraryFolder;
  std::string m_configuration;
  int32_t m_nomenclature = 0;
  int32_t m_polarityDelay = 0;
};

}  // namespace plugin
