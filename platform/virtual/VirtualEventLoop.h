#pragma once

#include <deque>
#include <optional>
#include <stdexcept>

#include "platform/core/EventLoop.h"

namespace platform {

// A nested loop that nothing could ever end: the test fails at once instead of hanging.
class VirtualLoopStuck : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Virtual time: when nothing is runnable the clock jumps to the next due timer.
class VirtualEventLoop : public EventLoop {
  public:
    explicit VirtualEventLoop(DateTime wallStart = {2024, 3, 1, 9, 0, 0, 0});

    std::int64_t now() const override { return now_; }
    DateTime wallNow() const override;
    void sleep(int ms) override;
    void processEvents() override;
    void runUntil(const std::function<bool()>& done) override;

    // Test controls.
    void setWallClock(const DateTime& wall);
    // Runs every event and timer due within the next `ms` milliseconds and ends at that moment.
    // A nested loop (a modal window, a box) still open then fails the test instead of running on.
    void runFor(std::int64_t ms);

  private:
    std::int64_t now_ = 0;
    std::optional<std::int64_t> horizon_;
    DateTime wallBase_;
    std::int64_t wallBaseAt_ = 0;
};

}  // namespace platform
