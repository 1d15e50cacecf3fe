#include "ScriptedOperator.h"

namespace platform {

void ScriptedOperator::after(int delayMs, std::function<void()> action) {
    Timer& timer = pending_.emplace_back(loop_, delayMs < 1 ? 1 : delayMs, true);
    timer.onTick([&timer, action = std::move(action)] {
        timer.setEnabled(false);
        action();
    });
}

}  // namespace platform
