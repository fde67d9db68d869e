#pragma once

#include "platform/PlatformExport.h"

#include <string>

namespace platform::serial {

// Line settings written as "baud,parity,data bits,stop bits" ("115200,N,8,1").
struct ORVEL_PLATFORM_API LineSettings {
  int baud = 115200;
  char parity = 'N';  // N, E, O, M or S
  int dataBits = 8;   // 5 to 8
  int stopBits = 1;   // 1 or 2

  // Throws ComError 380 ("Invalid property value") for a text it cannot read.
  static LineSettings parse(const std::string& text);
};

}  // namespace platform::serial
