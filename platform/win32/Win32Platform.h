#pragma once

#include "Win32Desktop.h"
#include "Win32EventLoop.h"
#include "Win32SerialPorts.h"
#include "platform/core/Platform.h"

namespace platform {

// The real backend on Windows.
struct Win32Platform {
    Win32EventLoop loop;
    Win32Desktop desktop{loop};
    Win32SerialPorts ports{loop};
    Platform platform{loop, desktop, ports};
};

}  // namespace platform
