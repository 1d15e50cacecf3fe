#pragma once

#include <memory>

#include "kestrel/app/KestrelApp.h"
#include "kestrel/app/prKestrel.h"
#include "platform/virtual/ScriptedOperator.h"
#include "platform/virtual/VirtualDesktop.h"
#include "support/TempFolder.h"

namespace testing_support {

// One Kestrel on the virtual backend, in its own program folder.
struct VirtualKestrel {
    explicit VirtualKestrel(platform::VirtualSystem& system, const TempFolder& folder)
        : desktop(loop, system, folder.path()), app(platform) {}

    platform::VirtualEventLoop loop;
    platform::VirtualDesktop desktop;
    platform::Platform platform{loop, desktop};
    platform::ScriptedOperator operatorScript{loop};
    kestrel::KestrelApp app;
};

}  // namespace testing_support
