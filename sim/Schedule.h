#pragma once

#include <functional>
#include <list>

#include "platform/core/Timer.h"

namespace sim {

// One-shot actions of a simulated peer at times from now, run from the loop.
class Schedule {
  public:
    explicit Schedule(platform::EventLoop& loop) : loop_(loop) {}

    void after(int delayMs, std::function<void()> action) {
        // Actions that have run are dropped, except the one running now.
        pending_.remove_if([this](const Entry& e) { return !e.timer.enabled() && &e != running_; });
        Entry& entry = pending_.emplace_back(loop_, delayMs, std::move(action));
        entry.timer.onTick([this, &entry] {
            entry.timer.setEnabled(false);
            running_ = &entry;
            entry.action();
            running_ = nullptr;
        });
    }

  private:
    struct Entry {
        Entry(platform::EventLoop& loop, int delayMs, std::function<void()> a)
            : timer(loop, delayMs < 1 ? 1 : delayMs, true), action(std::move(a)) {}
        platform::Timer timer;
        std::function<void()> action;
    };

    platform::EventLoop& loop_;
    std::list<Entry> pending_;
    const Entry* running_ = nullptr;
};

}  // namespace sim
