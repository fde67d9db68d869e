#include "platform/ErrorBoundary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <system_error>

using platform::ComError;
namespace RuntimeError = platform::RuntimeError;

namespace {
ComError mapped(const std::function<void()>& failing) {
  try {
    failing();
  } catch (...) {
    return platform::CurrentError("CSource");
  }
  ADD_FAILURE() << "nothing failed";
  return ComError(0, {}, {});
}

[[noreturn]] void fileFailure(std::errc code) {
  throw std::filesystem::filesystem_error("cannot open", "/data/cat.mpc",
                                          std::make_error_code(code));
}
}  // namespace

// Callers tell a missing file (53) apart from other file errors (52 to 76).
TEST(ErrorBoundary, FileFailuresBecomeTheFileErrorTheyAmountTo) {
  ComError missing =
      mapped([] { (void)std::filesystem::file_size(std::filesystem::path("/no/such/file.mpc")); });
  EXPECT_EQ(missing.number(), RuntimeError::FileNotFound);
  EXPECT_EQ(missing.source(), "CSource");
  EXPECT_NE(missing.description().find("/no/such/file.mpc"), std::string::npos);

  EXPECT_EQ(mapped([] { fileFailure(std::errc::not_a_directory); }).number(),
            RuntimeError::PathNotFound);
  ComError denied = mapped([] { fileFailure(std::errc::permission_denied); });
  EXPECT_EQ(denied.number(), RuntimeError::PathFileAccess);
  EXPECT_NE(denied.description().find("/data/cat.mpc"), std::string::npos);
}

TEST(ErrorBoundary, OtherFailuresKeepWhatTheySaid) {
  ComError own(13, "CInner", "Type mismatch");
  ComError kept = mapped([&] { throw own; });
  EXPECT_EQ(kept.source(), "CInner");
  EXPECT_EQ(kept.description(), "Type mismatch");
  EXPECT_EQ(mapped([] { throw std::bad_alloc(); }).number(), RuntimeError::OutOfMemory);
  ComError internal = mapped([] { throw std::out_of_range("index 7"); });
  EXPECT_EQ(internal.number(), RuntimeError::InternalError);
  EXPECT_EQ(internal.description(), "index 7");
}
