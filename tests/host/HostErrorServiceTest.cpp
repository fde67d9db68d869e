#include <gtest/gtest.h>

#include <sstream>

#include "host/HostApplicationService.h"
#include "host/HostErrorService.h"
#include "host/HostPathService.h"
#include "host/HostServicesInstaller.h"
#include "support/ExpectError.h"
#include "support/TestFiles.h"

using platform::ComError;
using platform::Parameters;
using platform::Variant;

namespace {
constexpr int32_t NotFound = static_cast<int32_t>(0x8004A22Au);

class HostErrorServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir / "lang");
    writeFile(dir / "lang" / "xx.txt", "[TRX440]\n41514=Datei %%1 fehlt\n");
    service = std::make_unique<host::HostErrorService>(
        std::make_shared<host::HostApplicationService>(dir.path(), "xx"));
    service->RegisterMessages("TRX440", {{NotFound, "41514::File %%1 is missing"}});
  }

  TempDir dir;
  std::unique_ptr<host::HostErrorService> service;
};
}  // namespace

TEST_F(HostErrorServiceTest, APlugInErrorIsDescribedByItsTranslatedMessage) {
  ComError error = expectComError([&] {
    service->Raise("TRX440", NotFound, "orvelTRX440.CPlugInTRX440", 2,
                   Parameters{Variant("a.mpc")});
  });
  EXPECT_EQ(error.number(), NotFound);
  EXPECT_EQ(error.source(), "orvelTRX440.CPlugInTRX440");
  EXPECT_EQ(error.description(), "Datei a.mpc fehlt");
}

TEST_F(HostErrorServiceTest, AnErrorWithoutMessageKeepsItsNumberAndArguments) {
  ComError error = expectComError([&] {
    service->Raise("TRX440", 0x1234, "src", 3, Parameters{Variant(int32_t(5)), Variant("x")});
  });
  EXPECT_EQ(error.description(), "Error 4660: 5, x");
  EXPECT_EQ(expectComError([&] {
              service->Raise("TRX440", NotFound, "src", 2, Parameters(6, Variant(1)));
            }).number(),
            platform::RuntimeError::InvalidProcedureCall);
}

TEST_F(HostErrorServiceTest, PassingAnErrorOnKeepsWhatItSaid) {
  ComError original(NotFound, "orvelTRX440.CTestGroup", "the original description", "help", 7);
  ComError again = expectComError([&] {
    try {
      throw original;
    } catch (const ComError& caught) {
      service->Raise("TRX440", caught.number(), caught.source(), 1);
    }
  });
  EXPECT_EQ(again.number(), NotFound);
  EXPECT_EQ(again.source(), "orvelTRX440.CTestGroup");
  EXPECT_EQ(again.description(), "the original description");
  EXPECT_EQ(again.helpContext(), 7);

  ComError passed = expectComError([&] { service->PassOn(original, "orvelTRX440.CTestSingle"); });
  EXPECT_EQ(passed.source(), "orvelTRX440.CTestGroup");
  EXPECT_EQ(passed.description(), "the original description");
  ComError anonymous(53, "", "File not found");
  EXPECT_EQ(expectComError([&] { service->PassOn(anonymous, "orvelTRX440.CTestSingle"); }).source(),
            "orvelTRX440.CTestSingle");
}

TEST(HostPathService, AppendsExactlyOneSeparator) {
  host::HostPathService paths;
  EXPECT_EQ(paths.AppendSeparator("/data/x"), "/data/x/");
  EXPECT_EQ(paths.AppendSeparator("/data/x//"), "/data/x/");
  EXPECT_EQ(paths.AppendSeparator("/"), "/");
  EXPECT_EQ(paths.AppendSeparator(""), "");
}

TEST(HostServicesInstaller, InstallsEveryServiceOverTheConfiguredFiles) {
  TempDir dir;
  ScopedEnv registry("ORVEL_REGISTRY", (dir / "settings" / "registry.ini").string());
  ScopedEnv language("ORVEL_LANG", "de");
  ScopedEnv resources("ORVEL_RESOURCES", "");
  // The installer replaces whatever was installed; put that back when the test ends.
  host_api::HostServicesOverride restore(host_api::hostServicesSlot());
  auto installed = host::installHostServices();
  auto& services = host_api::hostServices();
  EXPECT_EQ(&services, installed.get());
  ASSERT_TRUE(services.errors && services.application && services.xml && services.paths);
  EXPECT_EQ(services.application->Translate("TRX440", "20351::Pass"), "Bestanden");

  auto key = services.newRegistryKey();
  ASSERT_TRUE(key->Open(host_api::RegistryRoot::LocalMachine, "Software\\Tavik", true));
  EXPECT_TRUE(std::filesystem::exists(dir / "settings" / "registry.ini"));
  host_api::HostServicesOverride noHost(nullptr);
  EXPECT_THROW(host_api::hostServices(), ComError);
}

TEST_F(HostErrorServiceTest, AReportedErrorIsShownOnceAndTheCallReturns) {
  std::ostringstream log;
  host::HostErrorService reporting(std::make_shared<host::HostApplicationService>(dir.path(), "xx"),
                                   &log);
  reporting.Report(ComError(NotFound, "orvelTRX440.CPlugInSetup", "no settings"));
  EXPECT_EQ(log.str(), "Error 0x8004A22A in orvelTRX440.CPlugInSetup: no settings\n");
  for (int i = 0; i < 40; ++i) reporting.Report(ComError(i, "src", "d"));
  ASSERT_EQ(reporting.Reported().size(), host::HostErrorService::MaxReported);
  EXPECT_EQ(reporting.Reported().back().number(), 39);
}

TEST(HostServicesOverride, PutsBackWhatWasInstalledBeforeWhateverHappenedMeanwhile) {
  auto outer = std::make_shared<host_api::HostServices>();
  host_api::HostServicesOverride useOuter(outer);
  {
    host_api::HostServicesOverride noHost(nullptr);
    EXPECT_THROW(host_api::hostServices(), ComError);
    TempDir dir;
    ScopedEnv registry("ORVEL_REGISTRY", (dir / "registry.ini").string());
    host::installHostServices();
    EXPECT_NE(&host_api::hostServices(), outer.get());
  }
  EXPECT_EQ(&host_api::hostServices(), outer.get());
}
