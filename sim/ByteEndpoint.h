#pragma once

#include <functional>
#include <string>

namespace sim {

// The line a simulated peer talks through: an in-memory port in tests, a pseudo-terminal in a
// real run. Received bytes arrive through the same event loop the peer's timers run on.
class ByteEndpoint {
  public:
    virtual ~ByteEndpoint() = default;
    virtual void send(const std::string& bytes) = 0;
    void onReceived(std::function<void(const std::string&)> handler) {
        handler_ = std::move(handler);
    }

  protected:
    void deliver(const std::string& bytes) {
        if (handler_) {
            handler_(bytes);
        }
    }

  private:
    std::function<void(const std::string&)> handler_;
};

}  // namespace sim
