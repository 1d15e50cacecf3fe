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
    // The program's changes of a control line ("DTR", "RTS"), where the line carries them.
    void onControlLine(std::function<void(const std::string& line, bool on)> handler) {
        lineHandler_ = std::move(handler);
    }

  protected:
    void deliver(const std::string& bytes) {
        if (handler_) {
            handler_(bytes);
        }
    }
    void deliverControlLine(const std::string& line, bool on) {
        if (lineHandler_) {
            lineHandler_(line, on);
        }
    }

  private:
    std::function<void(const std::string&)> handler_;
    std::function<void(const std::string&, bool)> lineHandler_;
};

}  // namespace sim
