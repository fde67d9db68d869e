#include "driver/MError.h"

#include <cstdio>

#include "driver/MResources.h"
#include "host_api/HostServices.h"
#include "platform/ComError.h"

namespace vti::MError {

namespace {
constexpr int32_t kFirstMessageId = 900;

struct InstrumentError {
  int32_t code;
  int32_t messageId;
};
constexpr InstrumentError kInstrumentErrors[] = {
    {33, 21911}, {34, 21912}, {40, 21913}, {50, 21914},
    {51, 21915}, {52, 21916}, {54, 21917}, {57, 21918},
};
}  // namespace

std::string TranslateText(const std::string& text, const platform::Parameters& params) {
  auto& slot = host_api::hostServicesSlot();
  if (slot && slot->application) return slot->application->Translate(kPluginId, text, params);
  return platform::fillPlaceholders(platform::MessageText::parse(text).text, params);
}

void RaiseVtiError(int32_t number, const std::string& source, const std::string& description,
                   const platform::Parameters& params) {
  std::string text = description;
  if (text.empty()) {
    // Unsigned arithmetic: the numbers are negative as 32-bit integers.
    uint32_t offset = static_cast<uint32_t>(number) - static_cast<uint32_t>(errVTI_Error);
    if (offset < 0x10000) {
      text = MResources::LoadResString(kFirstMessageId + static_cast<int32_t>(offset));
    }
  }
  throw platform::ComError(number, source, TranslateText(text, params));
}

bool IsVtiError(int32_t number) {
  uint32_t value = static_cast<uint32_t>(number);
  return value >= static_cast<uint32_t>(errVTI_Error) &&
         value < static_cast<uint32_t>(kVtiErrorRangeEnd);
}

std::optional<std::string> InstrumentErrorText(int32_t code) {
  for (const auto& error : kInstrumentErrors) {
    if (error.code == code) return MResources::LoadResString(error.messageId);
  }
  return std::nullopt;
}

std::string EscapeControlChars(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      out += c;
    } else if (byte == '\r') {
      out += "<CR>";
    } else if (byte == '\n') {
      out += "<LF>";
    } else if (byte == 0x1B) {
      out += "<ESC>";
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "<0x%02X>", byte);
      out += buf;
    }
  }
  return out;
}

}  // namespace vti::MError
