#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// Numbers of the run-time errors that C++ failures map to.
namespace RuntimeError {
constexpr int32_t TypeMismatch = 13;
constexpr int32_t Overflow = 6;
constexpr int32_t OutOfMemory = 7;
constexpr int32_t InternalError = 51;
constexpr int32_t BadFileNameOrNumber = 52;
constexpr int32_t FileNotFound = 53;
constexpr int32_t PathFileAccess = 75;
constexpr int32_t PathNotFound = 76;
constexpr int32_t InvalidFileFormat = 321;
constexpr int32_t InvalidUseOfNull = 94;
constexpr int32_t ObjectRequired = 424;
constexpr int32_t ClassNotRegistered = 429;
constexpr int32_t InvalidProcedureCall = 5;
}  // namespace RuntimeError

// The one error type of the system: a numbered error with its source and description.
class ORVEL_PLATFORM_API ComError : public std::exception {
 public:
  ComError(int32_t number, std::string source, std::string description, std::string helpFile = {},
           int32_t helpContext = 0);

  int32_t number() const { return m_number; }
  const std::string& source() const { return m_source; }
  const std::string& description() const { return m_description; }
  const std::string& helpFile() const { return m_helpFile; }
  int32_t helpContext() const { return m_helpContext; }

  const char* what() const noexcept override;

 private:
  int32_t m_number;
  std::string m_source;
  std::string m_description;
  std::string m_helpFile;
  int32_t m_helpContext;
  std::string m_what;
};

// Hex text of an error number as people read it ("0x8004A462").
ORVEL_PLATFORM_API std::string errorNumberText(int32_t number);

}  // namespace platform
