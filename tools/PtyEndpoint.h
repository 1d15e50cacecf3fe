#pragma once

#include <QSocketNotifier>
#include <memory>
#include <string>

#include "platform/core/EventLoop.h"
#include "sim/ByteEndpoint.h"

namespace tools {

// A simulated peer's line on a pseudo-terminal: the peer holds the master side, the program under
// test opens the slave as its COM port. Receptions reach the peer through the loop.
class PtyEndpoint : public sim::ByteEndpoint {
  public:
    explicit PtyEndpoint(platform::EventLoop& loop);
    ~PtyEndpoint() override;
    PtyEndpoint(const PtyEndpoint&) = delete;
    PtyEndpoint& operator=(const PtyEndpoint&) = delete;

    bool ok() const { return master_ >= 0; }
    // The device path the program opens.
    const std::string& devicePath() const { return slavePath_; }
    void send(const std::string& bytes) override;

  private:
    void readable();

    platform::EventLoop& loop_;
    int master_ = -1;
    int slaveHold_ = -1;  // keeps the line up while the program has its port closed
    std::string slavePath_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tools
