#pragma once

#include <deque>
#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "host_api/IApplicationService.h"
#include "host_api/IErrorService.h"

namespace host {

// Raises the errors of the driver and the plug-in as platform::ComError.
//
// The description of a raised error is chosen in this order:
// 1. kind 1 (an error passed on) raised while that very error is being handled: the caught
//    error's own description, so passing an error on never loses what it said;
// 2. a message registered for the plug-in's number (RegisterMessages), translated into the
//    host's language with the arguments filling its placeholders;
// 3. otherwise "Error <number>" followed by the arguments, so nothing given is lost.
//
// Reported errors (those an operation survives) are written as one line each to `log`, when
// given, and the most recent ones are kept for the host to show.
class HostErrorService : public host_api::IErrorService {
 public:
  explicit HostErrorService(std::shared_ptr<host_api::IApplicationService> translator,
                            std::ostream* log = nullptr);

  [[noreturn]] void Raise(const std::string& pluginId, int32_t number, const std::string& text,
                          int32_t kind, const platform::Parameters& args = {}) override;
  [[noreturn]] void PassOn(const platform::ComError& error, const std::string& text) override;
  void Report(const platform::ComError& error) override;
  void RegisterMessages(const std::string& pluginId,
                        const std::map<int32_t, std::string>& messages) override;

  // The errors reported so far, oldest first; only the last MaxReported are kept.
  const std::deque<platform::ComError>& Reported() const { return m_reported; }

  static constexpr size_t MaxArguments = 5;
  static constexpr size_t MaxReported = 32;

 private:
  std::string describe(const std::string& pluginId, int32_t number,
                       const platform::Parameters& args) const;

  std::shared_ptr<host_api::IApplicationService> m_translator;
  std::map<std::pair<std::string, int32_t>, std::string> m_messages;
  std::ostream* m_log;
  std::deque<platform::ComError> m_reported;
};

}  // namespace host
