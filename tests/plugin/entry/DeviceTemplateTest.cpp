// A whole device's template as the host keeps it: the complete safety test cloned out of the
// shipped catalogue, the device's applied parts, the limits of its standard and results on its
// elements, written to a file and read back unchanged.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "EntryTestHost.h"
#include "driver/TrxTypes.h"
#include "host/HostApplicationService.h"
#include "host/TestTemplate.h"
#include "host_api/HostServices.h"
#include "host_api/IProperties.h"
#include "platform/components/ComponentRegistry.h"
#include "plugin/core/IAutoTest.h"
#include "plugin/entry/CPlugInTRX440.h"
#include "plugin/modules/IPlugInReference.h"
#include "plugin/results/CResultData.h"

namespace {

std::string contentOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class DeviceTemplate : public EntryTestHost {
 protected:
  void SetUp() override {
    EntryTestHost::SetUp();
    entry->Initialize(nullptr);
  }
  void TearDown() override {
    application().setOpenTemplate(nullptr);
    EntryTestHost::TearDown();
  }
  host::HostApplicationService& application() {
    return dynamic_cast<host::HostApplicationService&>(*host_api::hostServices().application);
  }

  // A reading stored on `testId` as a run stores it.
  void addReading(host::TestTemplate& t, int32_t testId, const std::string& key, float value,
                  int32_t status) {
    auto element = t.find(testId);
    std::dynamic_pointer_cast<plugin::IAutoTest>(element)->ResetResult(0);
    auto result = std::dynamic_pointer_cast<plugin::CResultData>(element->Result_get());
    ASSERT_TRUE(result) << testId;
    auto reading = std::make_shared<plugin::CMeasurement>();
    reading->Init(key, element->Info_get()->Name_get(), vti::etcPatLeak, nullptr, {}, false);
    reading->Value_let(platform::Variant(value));
    reading->Unit_let("uA");
    reading->Status_let(status);
    result->AddMeasurement(reading);
    result->Status_let(status);
  }
};

TEST_F(DeviceTemplate, TheCompleteSafetyTestWithResultsSurvivesTheFileUnchanged) {
  auto t = std::make_shared<host::TestTemplate>();
  t->setStandard("IEC 60601-1", "I");
  t->setDeviceName("Patient monitor");
  t->setSerialNumber("PM-0815");
  t->addElement(entry->CreateTest(100));
  t->createLimitStandards();
  application().setOpenTemplate(t);
  auto device = entry->CreateDUTData();
  ASSERT_TRUE(device);
  std::dynamic_pointer_cast<host_api::IProperties>(device)->PropertyText_let("Modules",
                                                                             "ECG:CF:3,SpO2:BF:1");
  t->setDeviceData(device);
  addReading(*t, 300, "::ST", 0.12f, 1);
  addReading(*t, 1101, "::1::CF", 4.5f, 1);
  addReading(*t, 1102, "::2::BF", 180.0f, 2);

  const auto first = dir / "monitor.xml";
  t->save(first);
  // Read back as the next session of the host reads it: a plug-in entry of its own.
  application().setOpenTemplate(nullptr);
  entry = std::make_shared<plugin::CPlugInTRX440>();
  entry->Initialize(nullptr);
  auto loaded = host::TestTemplate::load(first);
  const auto second = dir / "again.xml";
  loaded->save(second);
  EXPECT_EQ(contentOf(second), contentOf(first));

  EXPECT_EQ(loaded->deviceName(), "Patient monitor");
  EXPECT_EQ(loaded->standardText(), "IEC 60601-1");
  auto modules = std::dynamic_pointer_cast<host_api::IProperties>(loaded->deviceData());
  ASSERT_TRUE(modules);
  EXPECT_EQ(modules->PropertyText_get("Modules"), "ECG:CF:3,SpO2:BF:1");
  auto failed = loaded->find(1102)->Result_get();
  ASSERT_TRUE(failed);
  ASSERT_EQ(failed->MeasurementCount_get(), 1);
  EXPECT_EQ(failed->Measurement_get(platform::Variant(1))->Status_get(), 2);
  EXPECT_FLOAT_EQ(
      static_cast<float>(failed->Measurement_get(platform::Variant(1))->Value_get().toDouble()),
      180.0f);
  // The limits of the standard came along: 1101 still judges a CF reading.
  auto standards = loaded->find(1101)->Limits_get()->Standards_get();
  ASSERT_TRUE(standards && standards->Count() == 1);
  EXPECT_EQ(standards->Item(1)->Evaluate("::CF", platform::Variant(60.0f)), 2);
  EXPECT_EQ(standards->Item(1)->Evaluate("::CF", platform::Variant(5.0f)), 1);
}

}  // namespace
