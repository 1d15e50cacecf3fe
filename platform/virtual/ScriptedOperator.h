#pragma once

#include <functional>
#include <list>

#include "platform/core/Timer.h"

namespace platform {

// The operator of a virtual test: actions at chosen virtual times, run from the loop like any
// user input, so they also reach modal windows opened meanwhile.
class ScriptedOperator {
  public:
    explicit ScriptedOperator(EventLoop& loop) : loop_(loop) {}

    // Runs `action` once, `delayMs` from now.
    void after(int delayMs, std::function<void()> action);

  private:
    EventLoop& loop_;
    std::list<Timer> pending_;
};

}  // namespace platform
