#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <map>
#include <string>

#include "platform/ComError.h"
#include "platform/MessageText.h"

namespace host_api {

// Error kinds a plug-in passes with its errors. The kind decides what the operation does after
// the host has the error: a notice is shown and the operation carries on (or returns normally);
// every other kind ends the operation.
namespace ErrorKind {
constexpr int32_t PassedOn = 1;  // an error caught elsewhere, passed on with its number and source
constexpr int32_t Failure = 2;   // a condition of the plug-in's own that ends the operation
constexpr int32_t Notice = 3;    // a condition the operation survives, such as a missing setting
constexpr int32_t Misuse = 4;    // called in a state or with data the operation cannot work with

constexpr bool ResumesAfterReport(int32_t kind) { return kind == Notice; }
}  // namespace ErrorKind

// The host's error service: every error the system raises or passes on goes through it.
class ORVEL_HOST_API IErrorService {
 public:
  virtual ~IErrorService();

  // Raises error `number` in the caller. `text` is the raising class's ProgID (or the source of
  // an error passed on); `args` (at most five) fill the placeholders of the error's message.
  [[noreturn]] virtual void Raise(const std::string& pluginId, int32_t number,
                                  const std::string& text, int32_t kind,
                                  const platform::Parameters& args = {}) = 0;
  // Raises a caught error again, with `text` (a ProgID or type name) as where it passed.
  [[noreturn]] virtual void PassOn(const platform::ComError& error, const std::string& text) = 0;
  // Shows an error that the operation survives and returns, so that the operation can carry on
  // or return normally.
  virtual void Report(const platform::ComError& error) = 0;

  // Makes the message texts ("41513::...") of a plug-in's own error numbers known, so that Raise
  // can describe those errors with their translated message.
  virtual void RegisterMessages(const std::string& pluginId,
                                const std::map<int32_t, std::string>& messages) = 0;
};

}  // namespace host_api
