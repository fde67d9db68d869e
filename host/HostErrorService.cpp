#include "host/HostErrorService.h"

#include <exception>
#include <optional>

namespace host {

namespace {
// The error being handled right now, when Raise is called from inside its handler.
std::optional<platform::ComError> errorInFlight() {
  std::exception_ptr current = std::current_exception();
  if (!current) return std::nullopt;
  try {
    std::rethrow_exception(current);
  } catch (const platform::ComError& error) {
    return error;
  } catch (...) {
    return std::nullopt;
  }
}
}  // namespace

HostErrorService::HostErrorService(std::shared_ptr<host_api::IApplicationService> translator,
                                   std::ostream* log)
    : m_translator(std::move(translator)), m_log(log) {}

void HostErrorService::Raise(const std::string& pluginId, int32_t number, const std::string& text,
                             int32_t kind, const platform::Parameters& args) {
  if (args.size() > MaxArguments) {
    throw platform::ComError(platform::RuntimeError::InvalidProcedureCall, text,
                             "Too many arguments for error " + platform::errorNumberText(number));
  }
  if (kind == host_api::ErrorKind::PassedOn) {
    auto caught = errorInFlight();
    if (caught && caught->number() == number) {
      throw platform::ComError(number, text, caught->description(), caught->helpFile(),
                               caught->helpContext());
    }
  }
  throw platform::ComError(number, text, describe(pluginId, number, args));
}

void HostErrorService::PassOn(const platform::ComError& error, const std::string& text) {
  // The source keeps naming where the error arose; only an error without one takes the class
  // that passes it on.
  if (!error.source().empty()) throw error;
  throw platform::ComError(error.number(), text, error.description(), error.helpFile(),
                           error.helpContext());
}

void HostErrorService::Report(const platform::ComError& error) {
  if (m_log)
    *m_log << "Error " << platform::errorNumberText(error.number()) << " in " << error.source()
           << ": " << error.description() << std::endl;
  m_reported.push_back(error);
  if (m_reported.size() > MaxReported) m_reported.pop_front();
}

void HostErrorService::RegisterMessages(const std::string& pluginId,
                                        const std::map<int32_t, std::string>& messages) {
  for (const auto& [number, message] : messages) m_messages[{pluginId, number}] = message;
}

std::string HostErrorService::describe(const std::string& pluginId, int32_t number,
                                       const platform::Parameters& args) const {
  auto it = m_messages.find({pluginId, number});
  if (it != m_messages.end()) return m_translator->Translate(pluginId, it->second, args);
  std::string text = "Error " + platform::errorNumberText(number);
  for (size_t i = 0; i < args.size(); ++i) {
    text += (i == 0 ? ": " : ", ") + args[i].toString();
  }
  return text;
}

}  // namespace host
