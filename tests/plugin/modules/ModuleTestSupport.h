#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/HostItemCollection.h"
#include "host_api/HostServices.h"
#include "host_api/IItemCollection.h"
#include "host_api/IReport.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/CModuleSetup.h"
#include "plugin/modules/IPlugInReference.h"
#include "support/InstalledHost.h"

namespace modules_test {

// The report object: keeps the tables it receives.
class RecordingReport : public host_api::IReport {
 public:
  struct PrintedTable {
    std::string layout, header, body;
  };
  int32_t Options_get() const override { return 0; }
  int32_t ReportKind_get() const override { return host_api::ResultReportKind; }
  std::string GetText(const std::string&, const std::string& text) const override {
    auto at = text.find("::");
    return at == std::string::npos ? text : text.substr(at + 2);
  }
  int32_t Query(int32_t what) const override {
    return what == host_api::ReportQuery::UsableWidth ? 9000 : 0;
  }
  void Setting(int32_t) override {}
  std::string ReplaceChars(const std::string& text, const std::string& from,
                           const std::string& to) const override {
    std::string result = text;
    for (char& c : result) {
      auto at = from.find(c);
      if (at != std::string::npos) c = to[at];
    }
    return result;
  }
  void Table(const std::string& layout, const std::string& header,
             const std::string& body) override {
    tables.push_back({layout, header, body});
  }
  std::vector<PrintedTable> tables;
};

// The plug-in entry as the module classes see it.
class StandInPlugIn : public plugin::IPlugInReference {
 public:
  plugin::CPlugInSetup& SetupObject() override { return setup; }
  std::shared_ptr<host_api::ILimitStandard> LimitStandardOf(int32_t, int32_t,
                                                            const std::string&) override {
    return nullptr;
  }
  bool UpdateNomenClature_get() const override { return false; }
  std::shared_ptr<plugin::CModuleSetup> CurrentModuleSetup_get() const override { return current; }
  void CurrentModuleSetup_set(const std::shared_ptr<plugin::CModuleSetup>& s) override {
    current = s;
  }
  std::shared_ptr<plugin::CModuleSetup> DUTModuleSetup_get() const override { return dut; }
  void DUTModuleSetup_set(const std::shared_ptr<plugin::CModuleSetup>& s) override { dut = s; }

  plugin::CPlugInSetup setup{"/opt/orvel/plugins"};
  std::shared_ptr<plugin::CModuleSetup> current, dut;
};

class RecordingLog : public host_api::ILoadLog {
 public:
  void Write(const std::string& message) override { lines.push_back(message); }
  std::vector<std::string> lines;
};

// The installed host with its item collection class, and no plug-in entry registered.
class ModulesTest : public InstalledHost {
 protected:
  void SetUp() override {
    InstalledHost::SetUp();
    host_api::hostServices().classes.newItemCollection = [] {
      return std::make_shared<host::HostItemCollection>();
    };
  }

  // A module named `name` (the key item) with a serial number, as the editor makes one.
  static std::shared_ptr<plugin::CModule> module(const std::string& name, int32_t leads,
                                                 int32_t firstLead, int32_t classId = 1,
                                                 const std::string& serial = "") {
    auto m = std::make_shared<plugin::CModule>();
    m->ModuleInfo_get()->Add("Name", name, true);
    m->ModuleInfo_get()->Add("Serial", serial, false);
    m->Leads_let(leads);
    m->FirstLead_let(firstLead);
    m->ClassID_let(classId);
    return m;
  }

  static std::shared_ptr<host_api::IXmlElement> parse(const std::string& xml) {
    return host_api::hostServices().xml->loadDocumentFromString(xml)->documentElement();
  }

  // An empty owner element to save into.
  static std::shared_ptr<host_api::IXmlElement> owner() { return parse("<Owner/>"); }

  // What `setup` saves, as text.
  static std::string saved(const plugin::CModuleSetup& setup) {
    auto root = owner();
    setup.Save(*root);
    return root->ownerDocument()->toString();
  }

  plugin::PlugInReferenceOverride noPlugIn{nullptr};
};

}  // namespace modules_test
