#include "driver/MProtocol.h"

#include <charconv>

#include "driver/MError.h"

namespace vti::MProtocol {

bool Refused(const std::string& reply) { return reply.starts_with('!'); }

void Raise(int32_t number, const platform::Parameters& params) {
  MError::RaiseVtiError(number, kSource, {}, params);
}

void RaiseInvalidReply(const std::string& reply) {
  Raise(errVTI_InvalidReply, {MError::EscapeControlChars(reply)});
}

uint32_t StatusWord(const std::string& reply) {
  if (reply.empty()) return 0;
  uint32_t value = 0;
  auto [end, ec] = std::from_chars(reply.data(), reply.data() + reply.size(), value, 16);
  if (ec != std::errc() || end != reply.data() + reply.size()) RaiseInvalidReply(reply);
  return value;
}

}  // namespace vti::MProtocol
