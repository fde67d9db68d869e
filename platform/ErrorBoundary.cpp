#include "platform/ErrorBoundary.h"

#include <filesystem>
#include <new>

namespace platform {

ComError CurrentError(const std::string& source) {
  try {
    throw;
  } catch (const ComError& error) {
    return error;
  } catch (const std::bad_alloc&) {
    return ComError(RuntimeError::OutOfMemory, source, "Out of memory");
  } catch (const std::filesystem::filesystem_error& error) {
    return ComError(RuntimeError::PathFileAccess, source, error.what());
  } catch (const std::exception& error) {
    return ComError(RuntimeError::InternalError, source, error.what());
  } catch (...) {
    return ComError(RuntimeError::InternalError, source, "Unknown error");
  }
}

}  // namespace platform
