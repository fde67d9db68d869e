// A plug-in library as the host loads it: an entry class that reports its initialisation to the
// host's load log, one whose initialisation fails as a plug-in without its catalogue does, and
// a class that is no plug-in at all.
#include <memory>

#include "host_api/IPlugIn.h"
#include "platform/ComError.h"
#include "platform/components/ClassRegistrar.h"

namespace {

class CStandInPlugIn : public host_api::IPlugIn {
 public:
  std::string ID_get() const override { return "STANDIN"; }
  std::optional<host_api::Picture> Icon(int32_t, int32_t, int32_t) const override { return {}; }
  std::string Name_get() const override { return "Stand-in plug-in"; }
  int32_t Flags_get() const override { return 0; }
  std::shared_ptr<host_api::ISetup> Setup_get() const override { return nullptr; }
  std::shared_ptr<platform::Object> ControlPanel_get() const override { return nullptr; }
  std::shared_ptr<host_api::ITestContainer> Tests_get() const override { return nullptr; }
  std::string Version_get() const override { return m_initialized ? "1.0" : ""; }
  std::shared_ptr<platform::Object> PlugInMenu_get() const override { return nullptr; }
  void Initialize(const std::shared_ptr<platform::Object>& log) override {
    if (auto loadLog = std::dynamic_pointer_cast<host_api::ILoadLog>(log)) {
      loadLog->Write("catalogue read");
    }
    m_initialized = true;
  }
  std::shared_ptr<host_api::ITestElement> CreateTest(int32_t) override { return nullptr; }
  std::shared_ptr<host_api::IConfigData> CreateDUTData() override { return nullptr; }

 private:
  bool m_initialized = false;
};

class CNoCatalogue : public CStandInPlugIn {
 public:
  void Initialize(const std::shared_ptr<platform::Object>&) override {
    throw platform::ComError(platform::RuntimeError::FileNotFound, "CPlugInTRX440",
                             "File not found: /nowhere/catalogue.mpc");
  }
};

class CNotAPlugIn : public platform::Object {};

}  // namespace

ORVEL_COMPONENT_ENTRY(registrar) {
  registrar.registerClass("orvelStandIn.CPlugIn",
                          [] { return std::make_shared<CStandInPlugIn>(); });
  registrar.registerClass("orvelStandIn.CNoCatalogue",
                          [] { return std::make_shared<CNoCatalogue>(); });
  registrar.registerClass("orvelStandIn.CNotAPlugIn",
                          [] { return std::make_shared<CNotAPlugIn>(); });
}
