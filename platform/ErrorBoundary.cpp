#include "platform/ErrorBoundary.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace platform {

namespace {
// A file that is not there is its own error (53), because callers tell "missing" apart from
// "there but unusable" (a catalogue that was never installed against one that cannot be read);
// a missing folder on the way is "path not found" (76); everything else is a file access error.
int32_t fileErrorNumber(const std::error_code& code) {
  if (code == std::errc::no_such_file_or_directory) return RuntimeError::FileNotFound;
  if (code == std::errc::not_a_directory) return RuntimeError::PathNotFound;
  return RuntimeError::PathFileAccess;
}
}  // namespace

ComError CurrentError(const std::string& source) {
  try {
    throw;
  } catch (const ComError& error) {
    return error;
  } catch (const std::bad_alloc&) {
    return ComError(RuntimeError::OutOfMemory, source, "Out of memory");
  } catch (const std::filesystem::filesystem_error& error) {
    return ComError(fileErrorNumber(error.code()), source, error.what());
  } catch (const std::exception& error) {
    return ComError(RuntimeError::InternalError, source, error.what());
  } catch (...) {
    return ComError(RuntimeError::InternalError, source, "Unknown error");
  }
}

}  // namespace platform
