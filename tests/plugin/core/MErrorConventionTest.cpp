#include "plugin/core/MErrorConvention.h"

#include <cerrno>
#include <new>
#include <stdexcept>

#include "plugin/core/MPlugInErrors.h"
#include "support/ExpectError.h"
#include "support/InstalledHost.h"

using namespace plugin;
using platform::ComError;

namespace {
class MErrorConventionTest : public InstalledHost {
 protected:
  const std::string progId = MErrorConvention::ProgID("CTestGroup");
};

class GermanHost : public MErrorConventionTest {
  std::string language() const override { return "de"; }
};
}  // namespace

TEST_F(MErrorConventionTest, OwnErrorsCarryTheirMessageAndTheRaisingClass) {
  EXPECT_EQ(progId, "orvelTRX440.CTestGroup");
  ComError error =
      expectComError([&] { MErrorConvention::RaiseOwn(progId, MPlugInErrors::errGroupRemove, 2); });
  EXPECT_EQ(error.number(), MPlugInErrors::errGroupRemove);
  EXPECT_EQ(error.source(), progId);
  EXPECT_EQ(error.description(), "The test element could not be removed from the test group.");
}

TEST_F(GermanHost, OwnErrorsAreDescribedInTheHostsLanguage) {
  ComError error = expectComError([&] {
    MErrorConvention::RaiseOwn(progId, MPlugInErrors::errCatalogueNotFound, 2, {"/k.mpc"});
  });
  EXPECT_EQ(error.description(), "Die Katalogdatei der Testelemente /k.mpc wurde nicht gefunden.");
}

TEST_F(MErrorConventionTest, ListedNumbersGoOnUnchangedAndOthersArePassedOn) {
  auto operation = [&](const ComError& inside) {
    return expectComError([&] {
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
  ComError error = expectComError([&] {
    MErrorConvention::Guarded(progId, {}, [] { throw std::runtime_error("index out of range"); });
  });
  EXPECT_EQ(error.number(), platform::RuntimeError::InternalError);
  EXPECT_NE(error.description().find("index out of range"), std::string::npos);
}

TEST_F(MErrorConventionTest, ANestedCleanUpThatFailsDoesNotReplaceTheError) {
  ComError error = expectComError([&] {
    MErrorConvention::GuardedWithCleanup(
        progId, {MPlugInErrors::errConfigSave},
        [] {
          errno = ENOSPC;
          throw ComError(MPlugInErrors::errConfigSave, "orvelTRX440.CCfgTestOptions", "disk full");
        },
        [&] {
          // The clean-up runs a guarded operation of its own, which fails and fills the buffer.
          MErrorConvention::GuardedWithCleanup(
              MErrorConvention::ProgID("CModule"), {},
              [] { throw ComError(91, "", "Object variable not set"); }, [] {});
        });
  });
  EXPECT_EQ(error.number(), MPlugInErrors::errConfigSave);
  EXPECT_EQ(error.source(), "orvelTRX440.CCfgTestOptions");
  EXPECT_EQ(error.description(), "disk full");
  CErrorBuffer& buffer = CErrorBuffer::instance();
  EXPECT_EQ(buffer.Number_get(), MPlugInErrors::errConfigSave);
  EXPECT_EQ(buffer.LastDllError_get(), ENOSPC);
}

TEST_F(MErrorConventionTest, CleanUpThatFailsDoesNotReplaceTheError) {
  bool cleaned = false;
  ComError error = expectComError([&] {
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

  ComError error = expectComError([&] {
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

// What the user reads of an error passed on: where (the class) and what failed.
TEST_F(MErrorConventionTest, AFailureInsideAnOperationNamesTheClassAndWhatFailed) {
  ComError memory = expectComError(
      [&] { MErrorConvention::Guarded(progId, {}, [] { throw std::bad_alloc(); }); });
  EXPECT_EQ(memory.number(), platform::RuntimeError::OutOfMemory);
  EXPECT_EQ(memory.source(), progId);
  EXPECT_EQ(memory.description(), "Out of memory");
  // Passed on unchanged by number, it still says what it is.
  ComError listed = expectComError([&] {
    MErrorConvention::Guarded(progId, {platform::RuntimeError::OutOfMemory},
                              [] { throw std::bad_alloc(); });
  });
  EXPECT_EQ(listed.source(), progId);
  EXPECT_EQ(listed.description(), "Out of memory");

  ComError fromHost = expectComError([&] {
    MErrorConvention::Guarded(progId, {},
                              [] { throw ComError(53, "host", "File not found: /x.mpc"); });
  });
  EXPECT_EQ(fromHost.number(), 53);
  EXPECT_EQ(fromHost.source(), progId);
  EXPECT_EQ(fromHost.description(), "File not found: /x.mpc (host)");
}

TEST_F(MErrorConventionTest, AnOuterClassPassesOnTheInnerClassesErrorAsItIs) {
  ComError error = expectComError([&] {
    MErrorConvention::Guarded(progId, {}, [] {
      MErrorConvention::Guarded(MErrorConvention::ProgID("CTestSingle"), {},
                                [] { throw ComError(13, "host", "Type mismatch"); });
    });
  });
  EXPECT_EQ(error.number(), 13);
  EXPECT_EQ(error.source(), "orvelTRX440.CTestSingle");
  EXPECT_EQ(error.description(), "Type mismatch (host)");
}

TEST_F(MErrorConventionTest, ANoticeIsShownAndTheOperationCarriesOn) {
  std::vector<std::string> done;
  MErrorConvention::Guarded(progId, {}, [&] {
    MErrorConvention::Report(progId, MPlugInErrors::errRegistryValueMissing,
                             MErrorConvention::KindNotice, {platform::Variant("PolarityDelay")});
    done.push_back("next statement");
  });
  EXPECT_EQ(done, std::vector<std::string>{"next statement"});
  ASSERT_EQ(reported().size(), 1u);
  EXPECT_EQ(reported()[0].number(), MPlugInErrors::errRegistryValueMissing);
  EXPECT_EQ(reported()[0].source(), progId);
  EXPECT_EQ(reported()[0].description(),
            "The plug-in settings in the registry lack PolarityDelay; the default is used.");

  // Any other kind ends the operation.
  ComError failure = expectComError([&] {
    MErrorConvention::Report(progId, MPlugInErrors::errGroupSave, MErrorConvention::KindFailure);
  });
  EXPECT_EQ(failure.number(), MPlugInErrors::errGroupSave);
  EXPECT_EQ(reported().size(), 1u);
}

TEST_F(MErrorConventionTest, AnOperationThatSurvivesItsErrorsReportsThemAndReturnsEmpty) {
  int32_t result = MErrorConvention::GuardedReporting(progId, {MPlugInErrors::errModuleLoad}, [] {
    throw std::runtime_error("bad index");
    return int32_t(7);
  });
  EXPECT_EQ(result, 0);
  ASSERT_EQ(reported().size(), 1u);
  EXPECT_EQ(reported()[0].number(), platform::RuntimeError::InternalError);
  EXPECT_EQ(reported()[0].source(), progId);
  EXPECT_EQ(reported()[0].description(), "bad index");

  ComError listed = expectComError([&] {
    MErrorConvention::GuardedReporting(progId, {MPlugInErrors::errModuleLoad}, [] {
      throw ComError(MPlugInErrors::errModuleLoad, "orvelTRX440.CModule", "wrong tag");
    });
  });
  EXPECT_EQ(listed.source(), "orvelTRX440.CModule");
  EXPECT_EQ(listed.description(), "wrong tag");
  EXPECT_EQ(reported().size(), 1u);
}

TEST_F(MErrorConventionTest, EveryNumberTheOperationsTreatHasAMessage) {
  for (int32_t number : {MPlugInErrors::errElementUnavailable, MPlugInErrors::errRegistryRead,
                         MPlugInErrors::errRegistryWrite, MPlugInErrors::errRegistryValueMissing}) {
    ComError error = expectComError(
        [&] { MErrorConvention::RaiseOwn(progId, number, 2, {platform::Variant("x")}); });
    EXPECT_EQ(error.number(), number);
    // Without a message the host could only say "Error <number>".
    EXPECT_EQ(error.description().find("Error "), std::string::npos) << error.description();
    EXPECT_FALSE(error.description().empty());
  }
}
