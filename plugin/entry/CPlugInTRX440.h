#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "host_api/IPlugIn.h"
#include "plugin/core/CPlugInSetup.h"
#include "plugin/modules/IPlugInReference.h"

namespace plugin {

class CModuleSetup;

// The plug-in as the host loads it: its identity and icons, its settings, the test element
// catalogue from which the host clones the elements of its templates, and the device data of a
// template. Once initialised it is the global plug-in reference through which the plug-in's
// other classes reach settings, catalogue limits and module setups.
class CPlugInTRX440 : public host_api::IPlugIn,
                      public IPlugInReference,
                      public std::enable_shared_from_this<CPlugInTRX440> {
 public:
  static constexpr const char* ClassName = "CPlugInTRX440";
  static constexpr const char* NameText = "20000::TRX440 Safety Analyzer";

  // `libraryFolder` holds the catalogue (unless the settings name another) and the images.
  explicit CPlugInTRX440(std::string libraryFolder = {});
  ~CPlugInTRX440() override;
  CPlugInTRX440(const CPlugInTRX440&) = delete;
  CPlugInTRX440& operator=(const CPlugInTRX440&) = delete;

  std::string ID_get() const override;
  std::optional<host_api::Picture> Icon(int32_t testId, int32_t size,
                                        int32_t colour) const override;
  std::string Name_get() const override;
  int32_t Flags_get() const override { return m_flags; }
  std::shared_ptr<host_api::ISetup> Setup_get() const override;
  std::shared_ptr<platform::Object> ControlPanel_get() const override { return nullptr; }
  std::shared_ptr<host_api::ITestContainer> Tests_get() const override;
  std::string Version_get() const override;
  std::shared_ptr<platform::Object> PlugInMenu_get() const override { return nullptr; }
  void Initialize(const std::shared_ptr<platform::Object>& log) override;
  std::shared_ptr<host_api::ITestElement> CreateTest(int32_t testId) override;
  std::shared_ptr<host_api::IConfigData> CreateDUTData() override;

  bool UpdateNomenClature_get() const override { return m_updateNomenclature; }
  void UpdateNomenClature_let(bool value) { m_updateNomenclature = value; }

  CPlugInSetup& SetupObject() override;
  std::shared_ptr<host_api::ILimitStandard> LimitStandardOf(int32_t testId, int32_t standardId,
                                                            const std::string& className) override;
  std::shared_ptr<CModuleSetup> CurrentModuleSetup_get() const override { return m_current; }
  void CurrentModuleSetup_set(const std::shared_ptr<CModuleSetup>& setup) override {
    m_current = setup;
  }
  std::shared_ptr<CModuleSetup> DUTModuleSetup_get() const override { return m_dut; }
  void DUTModuleSetup_set(const std::shared_ptr<CModuleSetup>& setup) override { m_dut = setup; }

 private:
  [[noreturn]] void raiseNotInitialized() const;
  void terminateCatalogue();

  std::string m_libraryFolder;
  std::shared_ptr<CPlugInSetup> m_setup;
  std::shared_ptr<host_api::ITestContainer> m_catalogue;
  bool m_initialised = false;
  int32_t m_flags = 0;
  bool m_updateNomenclature = false;
  std::shared_ptr<CModuleSetup> m_current;
  std::shared_ptr<CModuleSetup> m_dut;
};

}  // namespace plugin
