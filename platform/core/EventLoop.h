#pragma once

#include <cstdint>
#include <deque>
#include <functional>

#include "DateTime.h"
#include "TimerScheduler.h"

namespace platform {

// One per program; every callback runs on its thread.
class EventLoop {
  public:
    EventLoop();
    virtual ~EventLoop() = default;
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    // Monotonic milliseconds (the tick counter).
    virtual std::int64_t now() const = 0;
    // Local date and time for stamps and file names.
    virtual DateTime wallNow() const = 0;
    // Blocks for `ms` and delivers nothing meanwhile.
    virtual void sleep(int ms) = 0;
    // Delivers what is due now, at least once.
    virtual void processEvents() = 0;
    // A nested loop: keeps delivering every timer and reception until `done` or quit().
    virtual void runUntil(const std::function<bool()>& done) = 0;
    // Queues `event` for delivery through the loop, never inside the caller.
    void post(std::function<void()> event);

    // Ends the outermost loop and every nested one (application terminate).
    void quit();
    bool quitRequested() const { return quitRequested_; }

    TimerScheduler& timers() { return timers_; }

  protected:
    // The earliest timer due time may have changed.
    virtual void timersChanged() {}
    // Something was posted or quit was asked: a loop waiting for events must look again.
    virtual void wake() {}
    // Delivers the events posted before this call (those they post wait for the next one).
    void deliverPosted();
    bool hasPosted() const { return !posted_.empty(); }

  private:
    TimerScheduler timers_;
    std::deque<std::function<void()>> posted_;
    bool quitRequested_ = false;
};

}  // namespace platform
