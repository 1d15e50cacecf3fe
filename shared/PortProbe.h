#pragma once

#include <string>

#include "platform/core/SerialPort.h"

namespace shared {

// Whether a COM port exists; one held by another program exists too. Leaves nothing open.
bool ProbePort(platform::SerialPorts& ports, const std::string& name);

}  // namespace shared
