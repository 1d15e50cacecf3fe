#pragma once

#include "QtDesktop.h"
#include "QtEventLoop.h"
#include "platform/core/Platform.h"

namespace platform {

// The real backend, for a program that has created its QApplication.
struct QtPlatform {
    QtEventLoop loop;
    QtDesktop desktop{loop};
    Platform platform{loop, desktop};
};

}  // namespace platform
