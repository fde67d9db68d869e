#pragma once

#include <cstdint>
#include <string>

#include "platform/ComError.h"

namespace plugin {

// The one shared copy of an error, which carries it across clean-up code that may itself fail
// and reset the error state. Capture with Initialize, clean up, then Raise or hand on ErrObj.
class CErrorBuffer {
 public:
  // The process's buffer, created on first use.
  static CErrorBuffer& instance();

  int32_t Number_get() const { return m_number; }
  void Number_let(int32_t value) { m_number = value; }
  const std::string& Source_get() const { return m_source; }
  void Source_let(const std::string& value) { m_source = value; }
  const std::string& Description_get() const { return m_description; }
  void Description_let(const std::string& value) { m_description = value; }
  const std::string& HelpFile_get() const { return m_helpFile; }
  void HelpFile_let(const std::string& value) { m_helpFile = value; }
  int32_t HelpContext_get() const { return m_helpContext; }
  void HelpContext_let(int32_t value) { m_helpContext = value; }
  int32_t LastDllError_get() const { return m_lastDllError; }
  void LastDllError_let(int32_t value) { m_lastDllError = value; }

  // Copies the error together with the last system error number: `lastDllError` when the
  // caller saved errno as the failure happened, otherwise errno now.
  void Initialize(const platform::ComError& error, int32_t lastDllError);
  void Initialize(const platform::ComError& error);
  // Raises the stored error.
  [[noreturn]] void Raise() const;
  // A new error object with the stored number, source, description, help file and context.
  platform::ComError ErrObj_get() const;

 private:
  CErrorBuffer() = default;

  int32_t m_number = 0;
  std::string m_source;
  std::string m_description;
  std::string m_helpFile;
  int32_t m_helpContext = 0;
  int32_t m_lastDllError = 0;
};

}  // namespace plugin
