#pragma once

#include <functional>
#include <memory>

#include "EventLoop.h"

namespace platform {

// Hands a port's receptions to the program through the loop, never inside the call that noted
// them: one notification for all bytes that arrive before it is delivered.
class ReceptionNotice {
  public:
    ReceptionNotice(EventLoop& loop, std::function<void()> deliver)
        : loop_(loop), deliver_(std::move(deliver)) {}

    void arrived() {
        if (pending_) {
            return;
        }
        pending_ = true;
        std::weak_ptr<bool> alive = alive_;
        loop_.post([this, alive] {
            if (alive.lock()) {
                pending_ = false;
                deliver_();
            }
        });
    }

  private:
    EventLoop& loop_;
    std::function<void()> deliver_;
    bool pending_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace platform
