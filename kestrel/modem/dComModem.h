#pragma once

#include "platform/core/Timer.h"

namespace kestrel {

// The modem data module: lives for the whole run and holds the timers that outlast any window,
// the modem service's response timer among them.
class TdComModem {
  public:
    explicit TdComModem(platform::EventLoop& loop) : tOut_ComM(loop, 100, false) {}

    platform::Timer tOut_ComM;
};

}  // namespace kestrel
