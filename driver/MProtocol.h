#pragma once

#include <cstdint>
#include <string>

#include "platform/MessageText.h"

namespace vti {

// Internal to the driver library (not part of its public header surface).
//
// The line protocol as the connection and its internal classes speak it: the texts that end and
// acknowledge a command, and the one reading of replies and status words. Errors raised here
// name the connection (CTrxVti) as their source, whichever internal class found them.
namespace MProtocol {

inline constexpr const char* kSource = "CTrxVti";
// The model the connection talks to, as the host and the operator's messages name it.
inline constexpr const char* kModel = "TRX440";
inline const std::string kCrLf = "\r\n";
inline const std::string kAck = "*\r\n";
inline const std::string kEsc = "\x1b";
// How often a command is tried before its failure counts.
inline constexpr int32_t kAttempts = 3;

// Whether the analyzer refused the command ("!" and a code).
bool Refused(const std::string& reply);

[[noreturn]] void Raise(int32_t number, const platform::Parameters& params = {});
[[noreturn]] void RaiseInvalidReply(const std::string& reply);

// A status word as the analyzer writes it (hexadecimal digits). Empty text, which the channel
// gives when it sent nothing, reads as no bit set; anything else that is not a number is an
// invalid reply, never a status word of arbitrary bits.
uint32_t StatusWord(const std::string& reply);

}  // namespace MProtocol

}  // namespace vti
