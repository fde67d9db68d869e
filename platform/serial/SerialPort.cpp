#include "platform/serial/SerialPort.h"

namespace platform::serial {

SerialPort::~SerialPort() = default;

}  // namespace platform::serial
