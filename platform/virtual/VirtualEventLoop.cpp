#include "VirtualEventLoop.h"

#include <algorithm>

namespace platform {

namespace {
constexpr std::int64_t kVirtualTimeLimitMs = 30LL * 24 * 3600 * 1000;
}  // namespace

VirtualEventLoop::VirtualEventLoop(DateTime wallStart) : wallBase_(wallStart) {}

DateTime VirtualEventLoop::wallNow() const {
    return addMilliseconds(wallBase_, now_ - wallBaseAt_);
}

void VirtualEventLoop::setWallClock(const DateTime& wall) {
    wallBase_ = wall;
    wallBaseAt_ = now_;
}

void VirtualEventLoop::sleep(int ms) {
    now_ += std::max(0, ms);
}

void VirtualEventLoop::processEvents() {
    deliverPosted();
    timers().fireDue(now_);
}

void VirtualEventLoop::runUntil(const std::function<bool()>& done) {
    while (!done() && !quitRequested()) {
        processEvents();
        if (done() || quitRequested() || hasPosted()) {
            continue;
        }
        const auto next = timers().nextDue();
        if (!next) {
            throw VirtualLoopStuck("a nested loop waits with no timer or event left to end it");
        }
        if (*next > kVirtualTimeLimitMs) {
            throw VirtualLoopStuck("the loop ran past a virtual month without ending");
        }
        if (horizon_ && *next > *horizon_) {
            throw VirtualLoopStuck("a nested loop is still open when the test's run ends at " +
                                   std::to_string(*horizon_) + " ms");
        }
        now_ = std::max(now_, *next);
    }
}

void VirtualEventLoop::runFor(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    const auto outerHorizon = horizon_;
    horizon_ = outerHorizon ? std::min(*outerHorizon, end) : end;
    struct Restore {
        std::optional<std::int64_t>& horizon;
        std::optional<std::int64_t> value;
        ~Restore() { horizon = value; }
    } restore{horizon_, outerHorizon};
    for (;;) {
        processEvents();
        if (hasPosted()) {
            continue;
        }
        const auto next = timers().nextDue();
        if (!next || *next > end) {
            break;
        }
        now_ = std::max(now_, *next);
    }
    now_ = std::max(now_, end);
    processEvents();
}

}  // namespace platform
