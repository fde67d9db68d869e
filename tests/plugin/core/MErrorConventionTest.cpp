#include "plugin/core/MErrorConvention.h"

#include <stdexcept>

#include "plugin/core/MPlugInErrors.h"
#include "support/InstalledHost.h"

using namespace plugin;
using platform::ComError;

namespace {
class MErrorConventionTest : public InstalledHost {
 protected:
  ComError caught(const std::function<void()>& operation) {
    try {
      operation();
    } catch (const ComError& error) {
      return error;
    }
    ADD_FAILURE() << "the operation did not fail";
    return ComError(0, {}, {});
  }

  const std::string progId = MErrorConvention::ProgID("CTestGroup");
};

class GermanHost : public MErrorConventionTest {
  std::string language() const override { return "de"; }
};
}  // namespace

TEST_F(MErrorConventionTest, OwnErrorsCarryTheirMessageAndTheRaisingClass) {
  EXPECT_EQ(progId, "orvelTRX440.CTestGroup");
  ComError error =
      caught([&] { MErrorConvention::RaiseOwn(progId, MPlugInErrors::errGroupRemove, 2); });
  EXPECT_EQ(error.number(), MPlugInErrors::errGroupRemove);
  EXPECT_EQ(error.source(), progId);
  EXPECT_EQ(error.description(), "The test element could not be removed from the test group.");
}

TEST_F(GermanHost, OwnErrorsAreDescribedInTheHostsLanguage) {
  ComError error =
      caught([&] { MErrorConvention::RaiseOwn(progId, MPlugInErrors::errCatalogueNotFound, 2); });
  EXPECT_EQ(error.description(), "Die Katalogdatei der Testelemente wurde nicht gefunden.");
}

TEST_F(MErrorConventionTest, ListedNumbersGoOnUnchangedAndOthersArePassedOn) {
  auto operation = [&](const ComError& inside) {
    return caught([&] {
      MErrorConvention::Guarded(progId, {MPlugInErrors::errStopRun}, [&] { throw inside; });
    });
  };
  ComError stop = operation(ComError(MPlugInErrors::errStopRun, "CAutoRun", "stopped"));
  EXPECT_EQ(stop.number(), MPlugInErrors::errStopRun);
  EXPECT_EQ(stop.source(), "CAutoRun");
  EXPECT_EQ(stop.description(), "stopped");

  ComError other = operation(ComError(53, "", "File not found"));
  EXPECT_EQ(other.number(), 53);
  EXPECT_EQ(other.source(), progId);

  EXPECT_EQ(MErrorConvention::Guarded(progId, {}, [] { return 42; }), 42);
}

TEST_F(MErrorConventionTest, CppFailuresBecomeRunTimeErrorsOfTheOperation) {
  ComError error = caught([&] {
    MErrorConvention::Guarded(progId, {}, [] { throw std::runtime_error("index out of range"); });
  });
  EXPECT_EQ(error.number(), platform::RuntimeError::InternalError);
  EXPECT_NE(error.description().find("index out of range"), std::string::npos);
}

TEST_F(MErrorConventionTest, CleanUpThatFailsDoesNotReplaceTheError) {
  bool cleaned = false;
  ComError error = caught([&] {
    MErrorConvention::GuardedWithCleanup(
        progId, {MPlugInErrors::errConfigSave},
        [] { throw ComError(MPlugInErrors::errConfigSave, "CCfgTestOptions", "disk full"); },
        [&] {
          cleaned = true;
          throw ComError(91, "cleanup", "Object variable not set");
        });
  });
  EXPECT_TRUE(cleaned);
  EXPECT_EQ(error.number(), MPlugInErrors::errConfigSave);
  EXPECT_EQ(error.source(), "CCfgTestOptions");
  EXPECT_EQ(error.description(), "disk full");
  EXPECT_EQ(CErrorBuffer::instance().Number_get(), MPlugInErrors::errConfigSave);
}

TEST_F(MErrorConventionTest, ResumeAfterSkipsOnlyItsListedNumbers) {
  std::vector<std::string> done;
  MErrorConvention::Guarded(progId, {}, [&] {
    bool completed = MErrorConvention::ResumeAfter({MPlugInErrors::errSettingsKey}, [&] {
      MErrorConvention::RaiseOwn(progId, MPlugInErrors::errSettingsKey, 2);
    });
    done.push_back(completed ? "completed" : "skipped");
    done.push_back("next statement");
  });
  EXPECT_EQ(done, (std::vector<std::string>{"skipped", "next statement"}));

  ComError error = caught([&] {
    MErrorConvention::ResumeAfter({MPlugInErrors::errSettingsKey},
                                  [] { throw ComError(13, "x", "Type mismatch"); });
  });
  EXPECT_EQ(error.number(), 13);
}

TEST(CErrorBuffer, CarriesEveryFieldOfTheError) {
  CErrorBuffer& buffer = CErrorBuffer::instance();
  EXPECT_EQ(&buffer, &CErrorBuffer::instance());
  buffer.Initialize(ComError(5, "src", "desc", "help.chm", 12), 2);
  EXPECT_EQ(buffer.LastDllError_get(), 2);
  buffer.Description_let("changed");
  ComError object = buffer.ErrObj_get();
  EXPECT_EQ(object.number(), 5);
  EXPECT_EQ(object.source(), "src");
  EXPECT_EQ(object.description(), "changed");
  EXPECT_EQ(object.helpFile(), "help.chm");
  EXPECT_EQ(object.helpContext(), 12);
  try {
    buffer.Raise();
    ADD_FAILURE() << "Raise returned";
  } catch (const ComError& raised) {
    EXPECT_EQ(raised.description(), "changed");
  }
}
