#include <gtest/gtest.h>

#include <map>
#include <set>

#include "driver/CMicroSequence.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "host/HostXmlDocument.h"
#include "support/ExpectError.h"
#include "support/InstalledHost.h"
#include "support/TestHost.h"

using namespace vti;

namespace {

struct Accepted {
  std::set<int32_t> configs;
  int32_t leadNo;
};

// What the instrument can run: test code -> accepted power configurations and starting lead.
std::map<int32_t, Accepted> instrumentTests() {
  const std::set<int32_t> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  std::set<int32_t> notOff = all;
  notOff.erase(epcOff);
  std::set<int32_t> earthLeak = notOff;
  earthLeak.erase(epcOE);
  earthLeak.erase(epcOERM);
  std::map<int32_t, Accepted> tests{
      {etcMains, {{epcMainsL1L2, epcMainsL1Gnd, epcMainsL2Gnd}, -1}},
      {etcEarthLeak, {earthLeak, -1}},
      {etcEnclLeak, {notOff, 1}},
      {etcPatLeak, {notOff, 0}},
      {etcPatAux, {notOff, 1}},
      {etcMAP, {{epcNC, epcNCRM}, 0}},
      {etcDAPLeak, {{epcNC, epcNCRM}, 0}},
      {etcEquipCurr, {{epcNC}, -1}},
      {etcECGTest, {{epcNC}, -1}},
      {etcDELeak, {{epcNC, epcOE, epcNCRM, epcOERM}, 0}},
  };
  for (int32_t code : {2, 3, 4, 5, 6, 7, 13, 14, 15}) tests[code] = {{epcOff}, -1};
  for (int32_t code : {17, 18, 21}) tests[code] = {{epcOff, epcNC, epcOE, epcNCRM, epcOERM}, 0};
  return tests;
}

// A document that makes no elements, as a host document does when it cannot.
class RefusingDocument : public host_api::IXmlDocument {
 public:
  std::shared_ptr<host_api::IXmlElement> documentElement() const override { return nullptr; }
  void setDocumentElement(const std::shared_ptr<host_api::IXmlElement>&) override {}
  std::shared_ptr<host_api::IXmlElement> createElement(const std::string&) override {
    return nullptr;
  }
  void save(const std::filesystem::path&) const override {}
  std::string toString() const override { return {}; }
};

}  // namespace

TEST(CTrxSafetyTest, ValidatesEveryPairOfTestAndPowerConfiguration) {
  testing_host::TestHost host;
  auto tests = instrumentTests();
  ASSERT_EQ(tests.size(), 22u);
  for (int32_t code = 0; code <= 23; ++code) {
    for (int32_t pc = 0; pc <= 17; ++pc) {
      CTrxSafetyTest test;
      test.LeadNo_let(7);
      auto it = tests.find(code);
      bool valid = it != tests.end() && it->second.configs.count(pc) > 0;
      auto etc = static_cast<ETrxTestCode>(code);
      auto epc = static_cast<ETrxPowerConfiguration>(pc);
      if (valid) {
        test.Initialize(etc, epc);
        EXPECT_EQ(test.TestCode_get(), etc);
        EXPECT_EQ(test.PowerConfig_get(), epc);
        EXPECT_EQ(test.LeadNo_get(), it->second.leadNo) << code << "/" << pc;
      } else {
        auto e = expectComError([&] { test.Initialize(etc, epc); });
        EXPECT_EQ(e.number(), errVTI_InvalidTest) << code << "/" << pc;
        // A refused pair leaves the test as it was.
        EXPECT_EQ(test.TestCode_get(), 0);
        EXPECT_EQ(test.LeadNo_get(), 7);
      }
    }
  }
}

TEST(CTrxSafetyTest, AnInvalidTestNamesCodeConfigurationAndLead) {
  testing_host::TestHost host;
  CTrxSafetyTest test;
  test.Initialize(etcPatLeak, epcNC);
  test.LeadNo_let(3);
  auto e = expectComError([&] { test.Initialize(etcEquipCurr, epcON); });
  EXPECT_EQ(e.number(), errVTI_InvalidTest);
  EXPECT_EQ(e.source(), "CTrxSafetyTest");
  EXPECT_EQ(e.description(),
            "The selected test (TestNo = 16, Power Config = 2, Lead No = 3) is not a valid "
            "TRX440 test and cannot be performed.");
  EXPECT_EQ(test.TestCode_get(), etcPatLeak);
  EXPECT_EQ(test.PowerConfig_get(), epcNC);
}

TEST(CTrxSafetyTest, DescribesItsTest) {
  CTrxSafetyTest test;
  const std::pair<ETrxPowerConfiguration, int32_t> phases[] = {
      {epcON, eppOpenNeutral}, {epcNC, eppNormal},
      {epcOE, eppNormal},      {epcONRM, eppOpenNeutralRev},
      {epcNCRM, eppReversed},  {epcOERM, eppReversed},
      {epcAccessNC, 0}};
  for (auto [pc, phase] : phases) {
    test.Initialize(etcPatLeak, pc);
    EXPECT_EQ(test.Phase_get(), phase) << pc;
  }
  EXPECT_TRUE(test.IsLeadTest_get());
  EXPECT_EQ(test.Unit_get(), "uA");
  EXPECT_EQ(test.ValueFormat_get(), "# ##0");

  test.Initialize(etcMains, epcMainsL1L2);
  EXPECT_EQ(test.Phase_get(), 0);
  EXPECT_FALSE(test.IsLeadTest_get());
  EXPECT_EQ(test.Unit_get(), "V");
  test.Initialize(etcProtEarth, epcOff);
  EXPECT_EQ(test.Phase_get(), eppPowerOff);
  EXPECT_EQ(test.Unit_get(), "Ohm");
  EXPECT_EQ(test.ValueFormat_get(), "# ##0.000");
  test.Initialize(etcEquipCurr, epcNC);
  EXPECT_EQ(test.Unit_get(), "A");
  EXPECT_EQ(test.ValueFormat_get(), "#0.0");
  test.Initialize(etcMAP, epcNCRM);
  EXPECT_TRUE(test.IsLeadTest_get());
}

TEST(CTrxSafetyTest, MicroSequenceCarriesTheAppliedPart) {
  CTrxSafetyTest test;
  test.Initialize(etcPatAux, epcNCRM);
  test.AP_let("RA,LL/LA/GND");
  CTrxTestOptions options;
  options.MeasType_let(emt_DC);
  auto sequence = test.CreateMicroSequence(options);
  ASSERT_EQ(sequence->Count_get(), 11);
  EXPECT_EQ(sequence->Instruction(3), "POL=R");
  EXPECT_EQ(sequence->Instruction(6), "MODE=DC");
  EXPECT_EQ(sequence->Instruction(8), "AP=RA,LL/LA/GND");
}

class SafetyTestPersistence : public InstalledHost {
 protected:
  std::shared_ptr<host_api::IXmlElement> parse(const std::string& xml) {
    return host_api::hostServices().xml->loadDocumentFromString(xml)->documentElement();
  }
};

TEST_F(SafetyTestPersistence, SaveAndLoadKeepCodeAndConfiguration) {
  CTrxSafetyTest saved;
  saved.Initialize(etcPatLeak, epcOERM);
  saved.AP_let("1");
  saved.LeadNo_let(4);
  auto document = host_api::hostServices().xml->createDocument();
  auto element = saved.Save(*document);
  ASSERT_TRUE(element);
  document->setDocumentElement(element);
  EXPECT_NE(document->toString().find("<TRX440Test ID=\"10\" PC=\"7\""), std::string::npos)
      << document->toString();

  CTrxSafetyTest loaded;
  loaded.LeadNo_let(4);
  loaded.Load(*parse(document->toString()));
  EXPECT_EQ(loaded.TestCode_get(), etcPatLeak);
  EXPECT_EQ(loaded.PowerConfig_get(), epcOERM);
  // Loading validates, which starts the test on its own lead; the applied part is not stored.
  EXPECT_EQ(loaded.LeadNo_get(), 0);
  EXPECT_EQ(loaded.AP_get(), "");
}

TEST_F(SafetyTestPersistence, FailuresReachTheCallerThroughTheHost) {
  CTrxSafetyTest test;
  test.Initialize(etcMains, epcMainsL1Gnd);

  auto e = expectComError([&] { test.Load(*parse("<ModuleOptions ID=\"2\" PC=\"1\"/>")); });
  EXPECT_EQ(e.number(), kErrNotTrxTestElement);
  EXPECT_EQ(e.source(), "CTrxSafetyTest");
  EXPECT_NE(e.description().find("ModuleOptions"), std::string::npos) << e.description();

  RefusingDocument refusing;
  e = expectComError([&] { test.Save(refusing); });
  EXPECT_EQ(e.number(), kErrCannotCreateElement);
  EXPECT_EQ(e.source(), "CTrxSafetyTest");
  EXPECT_NE(e.description().find("could not be created"), std::string::npos);

  e = expectComError([&] { test.Load(*parse("<TRX440Test ID=\"16\" PC=\"2\"/>")); });
  EXPECT_EQ(e.number(), errVTI_InvalidTest);
  EXPECT_EQ(e.description(),
            "The selected test (TestNo = 16, Power Config = 2, Lead No = -1) is not a valid "
            "TRX440 test and cannot be performed.");

  // A damaged number is never taken for a test.
  for (const char* xml : {"<TRX440Test ID=\"2\"/>", "<TRX440Test ID=\"2x\" PC=\"1\"/>",
                          "<TRX440Test ID=\"\" PC=\"1\"/>", "<TRX440Test ID=\"2\" PC=\"1.5\"/>"}) {
    e = expectComError([&] { test.Load(*parse(xml)); });
    EXPECT_EQ(e.number(), platform::RuntimeError::TypeMismatch) << xml;
    EXPECT_EQ(e.source(), "CTrxSafetyTest");
  }
  // None of the failures changed the test.
  EXPECT_EQ(test.TestCode_get(), etcMains);
  EXPECT_EQ(test.PowerConfig_get(), epcMainsL1Gnd);

  test.Load(*parse("<TRX440Test ID=\" 2 \" PC=\"1\"/>"));
  EXPECT_EQ(test.TestCode_get(), etcProtEarth);
}

namespace {

// Records what reaches the host error service, then raises as the host does.
class RecordingErrorService : public host_api::IErrorService {
 public:
  struct Call {
    std::string kind;  // "Raise" or "PassOn"
    int32_t number;
    std::string text;
    int32_t errorKind;
    platform::Parameters args;
  };

  void Raise(const std::string& pluginId, int32_t number, const std::string& text, int32_t kind,
             const platform::Parameters& args) override {
    EXPECT_EQ(pluginId, "TRX440");
    calls.push_back({"Raise", number, text, kind, args});
    throw platform::ComError(number, text, "raised by the host");
  }
  void PassOn(const platform::ComError& error, const std::string& text) override {
    calls.push_back({"PassOn", error.number(), text, 0, {}});
    throw error;
  }
  void Report(const platform::ComError& error) override {
    calls.push_back({"Report", error.number(), error.source(), 0, {}});
  }
  void RegisterMessages(const std::string&, const std::map<int32_t, std::string>&) override {}

  std::vector<Call> calls;
};

}  // namespace

TEST(CTrxSafetyTest, LoadAndSaveHandTheirErrorsToTheHostErrorService) {
  testing_host::TestHost host;
  auto errors = std::make_shared<RecordingErrorService>();
  host.services().errors = errors;

  CTrxSafetyTest test;
  test.LeadNo_let(2);
  auto parse = [](const std::string& xml) {
    auto document = std::make_shared<host::HostXmlDocument>();
    document->parse(xml, "test");
    return document->documentElement();
  };
  // MAP in normal condition is a test: nothing reaches the error service.
  test.Load(*parse("<TRX440Test ID=\"12\" PC=\"3\" />"));
  expectComError([&] { test.Load(*parse("<TRX440Test ID=\"12\" PC=\"5\" />")); });
  expectComError([&] { test.Load(*parse("<Other/>")); });
  expectComError([&] { test.Load(*parse("<TRX440Test ID=\"12\"/>")); });
  RefusingDocument refusing;
  expectComError([&] { test.Save(refusing); });

  ASSERT_EQ(errors->calls.size(), 4u);
  EXPECT_EQ(errors->calls[0].kind, "Raise");
  EXPECT_EQ(errors->calls[0].number, errVTI_InvalidTest);
  EXPECT_EQ(errors->calls[0].text, "CTrxSafetyTest");
  EXPECT_EQ(errors->calls[0].errorKind, 1);
  EXPECT_EQ(errors->calls[0].args, (platform::Parameters{int32_t(12), int32_t(5), int32_t(0)}));
  EXPECT_EQ(errors->calls[1].number, kErrNotTrxTestElement);
  EXPECT_EQ(errors->calls[1].errorKind, 1);
  EXPECT_TRUE(errors->calls[1].args.empty());
  EXPECT_EQ(errors->calls[2].kind, "PassOn");
  EXPECT_EQ(errors->calls[2].number, platform::RuntimeError::TypeMismatch);
  EXPECT_EQ(errors->calls[2].text, "CTrxSafetyTest");
  EXPECT_EQ(errors->calls[3].number, kErrCannotCreateElement);
  EXPECT_EQ(errors->calls[3].errorKind, 1);
}
