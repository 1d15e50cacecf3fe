#pragma once

#include "Desktop.h"
#include "EventLoop.h"
#include "SerialPort.h"

namespace platform {

// What a program is given of the outside world.
struct Platform {
    EventLoop& loop;
    Desktop& desktop;
    SerialPorts& ports;
};

}  // namespace platform
