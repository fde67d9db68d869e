// Templates that cannot be read or written: every error names the file and, where one is at
// fault, the element, and a failed save leaves the file that was there as it was.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TemplateStandIns.h"
#include "host/HostLoadLog.h"
#include "host/TestTemplate.h"
#include "support/ExpectError.h"
#include "support/TestFiles.h"
#include "support/TestHost.h"

namespace {

using namespace host_fakes;
using host::TestTemplate;

// A template of the given elements, device attributes and device content.
std::string templateText(const std::string& elements, const std::string& device = "",
                         const std::string& deviceData = "") {
  return "<TestTemplate Version=\"1\"><Device Name=\"Pump\" " + device + ">" + deviceData +
         "</Device><Standards/><Elements>" + elements + "</Elements></TestTemplate>";
}

std::string stored(const std::string& classAndId, const std::string& inside = "") {
  return "<Element><TestElement PlugIn=\"TRX440\" " + classAndId + " ID=\"1\">" + inside +
         "</TestElement></Element>";
}

const std::string kGood = stored(R"(ClassName="orvelTRX440.FakeElement" TestID="300")");

struct BadFile {
  const char* what;
  std::string text;
  int32_t number;
  std::vector<std::string> named;  // besides the file
};

// An element of a class nobody registered: it cannot be saved, since it could not be read back.
class UnregisteredElement : public FakeElement {};

// An element whose own Save fails.
class FailingSave : public FakeElement {
 public:
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement&) const override {
    throw platform::ComError(static_cast<int32_t>(0x8004A2CD), "CTestSingle", "cannot save");
  }
};

class TemplateFileErrorsTest : public ::testing::Test {
 protected:
  platform::ComError loadError(const std::string& text) {
    writeFile(dir / "bad.xml", text);
    return expectComError([&] { TestTemplate::load(dir / "bad.xml"); });
  }

  void expectNames(const platform::ComError& error, const std::vector<std::string>& parts) {
    for (const auto& part : parts) {
      EXPECT_NE(error.description().find(part), std::string::npos)
          << "\"" << part << "\" not in: " << error.description();
    }
  }

  TempDir dir;
  testing_host::TestHost host;
  TemplateRegistry classes;
};

TEST_F(TemplateFileErrorsTest, EveryBadFileIsRefusedNamingTheFileAndTheElement) {
  const std::vector<BadFile> cases = {
      {"malformed", "<TestTemplate><Device>", 75, {"line"}},
      {"no template", "<Catalogue/>", 321, {"Catalogue"}},
      {"another version", "<TestTemplate Version=\"2\"/>", 321, {"\"2\""}},
      {"no elements",
       "<TestTemplate Version=\"1\"><Device/><Standards/></TestTemplate>",
       321,
       {"Elements"}},
      {"unknown class",
       templateText(kGood + stored(R"(ClassName="orvelTRX440.CNoSuch" TestID="500")")),
       429,
       {"element 2", "TestID 500", "orvelTRX440.CNoSuch"}},
      {"empty class",
       templateText(stored(R"(ClassName="" TestID="300")")),
       321,
       {"element 1", "ClassName"}},
      {"empty id",
       templateText(stored(R"(ClassName="orvelTRX440.FakeElement" TestID="")")),
       321,
       {"element 1", "TestID"}},
      {"a child left out",
       templateText(stored(R"(ClassName="orvelTRX440.FakeGroup" TestID="100")",
                           R"(<TestElement ClassName="orvelTRX440.CNoSuch" TestID="110"/>)")),
       321,
       {"element 1", "TestID 100", "110", "orvelTRX440.CNoSuch"}},
      {"an element refusing its data",
       templateText(stored(R"(ClassName="orvelTRX440.StubbornElement" TestID="100")")),
       static_cast<int32_t>(0x8004A2C8),
       {"element 1", "another kind"}},
      {"host data without names",
       templateText("<Element><HostData><Entry>x</Entry></HostData>" +
                    kGood.substr(std::string("<Element>").size())),
       321,
       {"element 1", "host data"}},
      {"an unknown standard",
       templateText(kGood, R"(Standard="ISO 9001" Class="I")"),
       5,
       {"the device", "ISO 9001"}},
      {"a class of no device",
       templateText(kGood, R"(Standard="IEC 62353" Class="CF")"),
       5,
       {"the device", "CF"}},
      {"device data of an unknown class",
       templateText(kGood, "", R"(<PlugInData ClassName="orvelTRX440.CNoSuch"/>)"),
       429,
       {"device data", "orvelTRX440.CNoSuch"}},
      {"device data refusing its element",
       templateText(kGood, "", R"(<Modules ClassName="orvelTRX440.FakeDeviceData"/>)"),
       5,
       {"device data", "Modules"}},
  };
  for (const auto& bad : cases) {
    SCOPED_TRACE(bad.what);
    auto error = loadError(bad.text);
    EXPECT_EQ(error.number(), bad.number) << error.description();
    expectNames(error, {(dir / "bad.xml").string()});
    expectNames(error, bad.named);
  }
}

TEST_F(TemplateFileErrorsTest, AMissingFileIsNamed) {
  auto error = expectComError([&] { TestTemplate::load(dir / "none.xml"); });
  EXPECT_EQ(error.number(), platform::RuntimeError::FileNotFound);
  expectNames(error, {(dir / "none.xml").string()});
}

TEST_F(TemplateFileErrorsTest, WithALogWhatTheLoadersLetPassIsToldAndTheRestIsRead) {
  writeFile(dir / "t.xml",
            templateText(stored(R"(ClassName="orvelTRX440.FakeGroup" TestID="100")",
                                R"(<TestElement ClassName="orvelTRX440.CNoSuch" TestID="110"/>)")));
  host::HostLoadLog log;
  auto loaded = TestTemplate::load(dir / "t.xml", &log);
  ASSERT_EQ(loaded->count(), 1);
  EXPECT_EQ(std::dynamic_pointer_cast<host_api::ITestContainer>(loaded->element(1))->Count(), 0);
  ASSERT_EQ(log.messages().size(), 1u);
  EXPECT_NE(log.messages()[0].find("orvelTRX440.CNoSuch"), std::string::npos) << log.text();
}

TEST_F(TemplateFileErrorsTest, AFailedSaveNamesTheElementAndLeavesTheOldFile) {
  const auto file = dir / "t.xml";
  writeFile(file, "the old template");
  auto attempt = [&](const std::shared_ptr<host_api::ITestElement>& second,
                     const std::string& progId = {}) {
    TestTemplate made;
    made.addElement(element(300, 1));
    made.addElement(second, progId);
    return expectComError([&] { made.save(file); });
  };

  auto unregistered = std::make_shared<UnregisteredElement>();
  unregistered->core->Initialize("TRX440", 400, 2);
  auto error = attempt(unregistered);
  EXPECT_EQ(error.number(), platform::RuntimeError::ClassNotRegistered);
  expectNames(error, {file.string(), "element 2", "TestID 400"});

  auto failing = std::make_shared<FailingSave>();
  failing->core->Initialize("TRX440", 500, 2);
  failing->setConfigValue(1);
  error = attempt(failing, "orvelTRX440.FakeElement");
  EXPECT_EQ(error.number(), static_cast<int32_t>(0x8004A2CD));
  expectNames(error, {file.string(), "element 2", "TestID 500", "cannot save"});

  TestTemplate withData;
  withData.setDeviceData(std::make_shared<FakeDeviceData>(), "orvelTRX440.CNoSuchSetup");
  error = expectComError([&] { withData.save(file); });
  EXPECT_EQ(error.number(), platform::RuntimeError::ClassNotRegistered);
  expectNames(error, {file.string(), "orvelTRX440.CNoSuchSetup"});

  EXPECT_EQ(readFile(file), "the old template");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"t.xml"});
}

}  // namespace
