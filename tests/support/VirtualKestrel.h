#pragma once

#include <memory>

#include "kestrel/app/KestrelApp.h"
#include "kestrel/app/prKestrel.h"
#include "platform/virtual/ScriptedOperator.h"
#include "platform/virtual/VirtualDesktop.h"
#include "platform/virtual/VirtualPorts.h"
#include "support/TempFolder.h"
#include "support/Transcript.h"

namespace testing_support {

// One Kestrel on the virtual backend, in its own program folder, with the transcript of all that
// crosses its edge.
struct VirtualKestrel {
    explicit VirtualKestrel(platform::VirtualSystem& system, const TempFolder& folder)
        : desktop(loop, system, folder.path()), app(platform) {}

    platform::VirtualEventLoop loop;
    platform::VirtualDesktop desktop;
    platform::VirtualSerialPorts ports{loop};
    Transcript transcript{loop, desktop, ports};
    platform::Platform platform{loop, transcript.desktop(), transcript.ports()};
    platform::ScriptedOperator operatorScript{loop};
    kestrel::KestrelApp app;
};

}  // namespace testing_support
