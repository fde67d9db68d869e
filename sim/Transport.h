#pragma once

#include <string_view>

namespace sim {

// The analyzer's end of a serial line: where its bytes go, and how the line is cut.
class Transport {
 public:
  virtual ~Transport() = default;
  virtual void send(std::string_view bytes) = 0;
  // Cuts the line for good, as a pulled cable or a dead port would.
  virtual void hangUp() = 0;
};

}  // namespace sim
