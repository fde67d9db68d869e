// A template's worth of stored plug-in data (configurations with module setups and filters,
// limits, results) written to a file through the host XML service and read back: every record
// must come back exactly as it was written.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "driver/TrxTypes.h"
#include "platform/components/ComponentRegistry.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/limits/CLimitData.h"
#include "plugin/modules/CModuleFilter.h"
#include "plugin/modules/CModuleGroup.h"
#include "plugin/modules/ModuleTestSupport.h"
#include "plugin/results/CResultData.h"
#include "support/TestFiles.h"

extern "C" void orvelRegisterClasses(platform::components::ClassRegistrar& registrar);

namespace {

using namespace plugin;
using host_api::IXmlElement;

constexpr int kElements = 40;
constexpr int kReadings = 25;
// Text that must survive the row syntax of reports and the markup of the file.
const std::string kAwkward = "ECG | lead; {x} <y> & \u00b5A \u03a9";

class TemplateRoundTripTest : public modules_test::ModulesTest {
 protected:
  std::shared_ptr<CConfigTestGroup> configuration(int index) {
    auto config = std::make_shared<CConfigTestGroup>();
    config->ValueFilter_let(index % 3);
    config->Test_get()->MeasType_let(index % 3);
    config->Modules_get()->Filter_get()->Add("Name", kAwkward);
    auto setup = std::make_shared<CModuleSetup>();
    setup->Add(module(kAwkward, 2, 1, 2, "S/N " + std::to_string(index)));
    auto group = std::make_shared<CModuleGroup>();
    setup->Add(group);
    group->Add(module("Probe A", 1, 3, 3), 10);
    group->Add(module("Probe B", 1, 3, 3), 11);
    group->FirstLead_let(3);
    config->Modules_get()->ModuleSeup_set(setup);
    return config;
  }

  static std::shared_ptr<CLimitData> limits() {
    auto data = std::make_shared<CLimitData>();
    data->Load(*parse("<ExpectedResult>"
                      "<Standard ID=\"4\" Class=\"CF\" Flag=\"1\">"
                      "<Limit Key=\"::CF_AC\" Unit=\"\u00b5A\" High=\"10\" Low=\"\"/></Standard>"
                      "<Standard ID=\"2\" Class=\"BF\" Flag=\"0\">"
                      "<Limit Key=\"::BF_AC\" Unit=\"\u00b5A\" High=\"100\" Low=\"0.5\"/>"
                      "</Standard></ExpectedResult>"),
               nullptr);
    return data;
  }

  static std::shared_ptr<CResultData> result(int index) {
    auto data = std::make_shared<CResultData>();
    for (int i = 0; i < kReadings; ++i) {
      auto m = std::make_shared<CMeasurement>();
      m->Init("::" + std::to_string(i % 3 + 1) + "::CF_AC#" + std::to_string(i),
              "     " + kAwkward + " " + std::to_string(i), vti::etcPatLeak, nullptr, {}, false);
      m->Value_let(platform::Variant(static_cast<float>(index * kReadings + i) / 8.0f));
      m->Unit_let("\u00b5A");
      m->Status_let(i % 7 == 0 ? 2 : 1);
      if (i % 11 == 0) m->Flags_let("O");
      data->AddMeasurement(m);
    }
    data->Comment_let(kAwkward);
    data->MTIID_let(index + 1);
    return data;
  }

  // Writes each element's records under one "TestElement" of a template document.
  static std::string written(const std::vector<std::shared_ptr<host_api::IConfigData>>& configs,
                             const std::vector<std::shared_ptr<CLimitData>>& limitData,
                             const std::vector<std::shared_ptr<CResultData>>& results) {
    auto doc = host_api::hostServices().xml->createDocument();
    doc->setDocumentElement(doc->createElement("Template"));
    for (size_t i = 0; i < configs.size(); ++i) {
      auto element = doc->documentElement()->appendNewChild("TestElement");
      configs[i]->Save(*element);
      limitData[i]->Save(*element);
      results[i]->Save(*element);
    }
    return doc->toString();
  }
};

TEST_F(TemplateRoundTripTest, EveryRecordOfATemplateComesBackFromItsFileUnchanged) {
  std::vector<std::shared_ptr<host_api::IConfigData>> configs;
  std::vector<std::shared_ptr<CLimitData>> limitData;
  std::vector<std::shared_ptr<CResultData>> results;
  for (int i = 0; i < kElements; ++i) {
    configs.push_back(configuration(i));
    limitData.push_back(limits());
    results.push_back(result(i));
  }
  const std::string original = written(configs, limitData, results);
  TempDir dir;
  const auto file = dir.path() / "template.xml";
  host_api::hostServices().xml->loadDocumentFromString(original)->save(file);

  auto doc = host_api::hostServices().xml->loadDocument(file);
  std::vector<std::shared_ptr<host_api::IConfigData>> configsBack;
  std::vector<std::shared_ptr<CLimitData>> limitsBack;
  std::vector<std::shared_ptr<CResultData>> resultsBack;
  for (const auto& element : doc->documentElement()->children()) {
    configsBack.push_back(std::make_shared<CConfigTestGroup>());
    configsBack.back()->Load(*element->findChild("PlugInData"), nullptr);
    limitsBack.push_back(std::make_shared<CLimitData>());
    limitsBack.back()->Load(*element->findChild("ExpectedResult"), nullptr);
    resultsBack.push_back(std::make_shared<CResultData>());
    resultsBack.back()->Load(*element->findChild("ResultItem"), nullptr);
  }

  ASSERT_EQ(resultsBack.size(), static_cast<size_t>(kElements));
  EXPECT_EQ(written(configsBack, limitsBack, resultsBack), original);
  const auto& last = *resultsBack.back();
  EXPECT_EQ(last.MeasurementCount_get(), kReadings);
  EXPECT_EQ(last.Comment_get(), kAwkward);
  EXPECT_EQ(last.Measurement_get(platform::Variant(1))->Flags_get(), "O");
  auto setup =
      std::dynamic_pointer_cast<CConfigTestGroup>(configsBack[7])->Modules_get()->ModuleSeup_get();
  ASSERT_EQ(setup->Count_get(), 2);
  EXPECT_EQ(setup->Item(1)->Code_get(), kAwkward);
  EXPECT_EQ(limitsBack[3]->Standards_get()->Count(), 2);
}

TEST_F(TemplateRoundTripTest, ThePlugInOffersItsPublicRecordsByProgId) {
  platform::components::ComponentRegistry registry;
  platform::components::ComponentsOverride installed(registry);
  orvelRegisterClasses(registry);
  for (const char* name :
       {"CModule", "CModuleGroup", "CModuleSetup", "CModuleFilter", "CModuleFilterItem",
        "CCfgTestOptions", "CCfgModuleOptions", "CCfgLeadOptions", "CCfgECGOptions",
        "CCfgResistOptions", "CCfgButtonOptions", "CConfigTestGroup", "CConfigResistance",
        "CConfigECG", "CMeasurement", "CResultData", "CResultTestGroup", "XPlugInPreferences"}) {
    SCOPED_TRACE(name);
    EXPECT_NE(platform::components::components().create(std::string("orvelTRX440.") + name),
              nullptr);
  }
}

}  // namespace
