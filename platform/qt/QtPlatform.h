#pragma once

#include "QtDesktop.h"
#include "QtEventLoop.h"
#include "QtSerialPorts.h"
#include "platform/core/Platform.h"

namespace platform {

// The real backend, for a program that has created its QApplication.
struct QtPlatform {
    // `portMap`: where the program keeps its port map file inside its folder.
    explicit QtPlatform(const std::filesystem::path& portMap = "Work/ComPorts.000")
        : ports(loop, desktop.programFolder() / portMap) {}

    QtEventLoop loop;
    QtDesktop desktop{loop};
    QtSerialPorts ports;
    Platform platform{loop, desktop, ports};
};

}  // namespace platform
