#include "EventLoop.h"

namespace platform {

EventLoop::EventLoop() : timers_([this] { return now(); }, [this] { timersChanged(); }) {}

void EventLoop::quit() {
    quitRequested_ = true;
    wake();
}

}  // namespace platform
