#include "EventLoop.h"

namespace platform {

EventLoop::EventLoop() : timers_([this] { return now(); }, [this] { timersChanged(); }) {}

void EventLoop::post(std::function<void()> event) {
    posted_.push_back(std::move(event));
    wake();
}

void EventLoop::deliverPosted() {
    std::size_t count = posted_.size();
    while (count-- > 0 && !posted_.empty()) {
        auto event = std::move(posted_.front());
        posted_.pop_front();
        event();
    }
}

void EventLoop::quit() {
    quitRequested_ = true;
    wake();
}

}  // namespace platform
