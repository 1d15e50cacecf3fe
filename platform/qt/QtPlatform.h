#pragma once

#include "QtDesktop.h"
#include "QtEventLoop.h"
#include "QtSerialPorts.h"
#include "platform/core/Platform.h"

namespace platform {

// The real backend, for a program that has created its QApplication.
struct QtPlatform {
    QtEventLoop loop;
    QtDesktop desktop{loop};
    QtSerialPorts ports{loop, desktop.programFolder()};
    Platform platform{loop, desktop, ports};
};

}  // namespace platform
