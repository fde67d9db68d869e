#include "plugin/core/CErrorBuffer.h"

#include <cerrno>

namespace plugin {

CErrorBuffer& CErrorBuffer::instance() {
  static CErrorBuffer buffer;
  return buffer;
}

void CErrorBuffer::Initialize(const platform::ComError& error, int32_t lastDllError) {
  m_number = error.number();
  m_source = error.source();
  m_description = error.description();
  m_helpFile = error.helpFile();
  m_helpContext = error.helpContext();
  m_lastDllError = lastDllError;
}

void CErrorBuffer::Initialize(const platform::ComError& error) { Initialize(error, errno); }

void CErrorBuffer::Raise() const { throw ErrObj_get(); }

platform::ComError CErrorBuffer::ErrObj_get() const {
  return platform::ComError(m_number, m_source, m_description, m_helpFile, m_helpContext);
}

}  // namespace plugin
