#pragma once

#include <functional>

#include "EventLoop.h"

namespace platform {

// A window's or data module's named timer: interval, enabled, one tick handler.
class Timer {
  public:
    Timer(EventLoop& loop, int intervalMs, bool enabled);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void onTick(std::function<void()> tick);
    void setEnabled(bool enabled);
    void setInterval(int intervalMs);
    bool enabled() const;
    int interval() const;

  private:
    TimerScheduler& timers_;
    TimerScheduler::Id id_;
};

}  // namespace platform
