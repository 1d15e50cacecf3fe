#include "Timer.h"

namespace platform {

Timer::Timer(EventLoop& loop, int intervalMs, bool enabled)
    : timers_(loop.timers()), id_(timers_.add({})) {
    timers_.setInterval(id_, intervalMs);
    timers_.setEnabled(id_, enabled);
}

Timer::~Timer() {
    timers_.remove(id_);
}

void Timer::onTick(std::function<void()> tick) {
    timers_.setTick(id_, std::move(tick));
}

void Timer::setEnabled(bool enabled) {
    timers_.setEnabled(id_, enabled);
}

void Timer::setInterval(int intervalMs) {
    timers_.setInterval(id_, intervalMs);
}

bool Timer::enabled() const {
    return timers_.enabled(id_);
}

int Timer::interval() const {
    return timers_.interval(id_);
}

}  // namespace platform
