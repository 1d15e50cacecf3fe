#pragma once

#include <QSocketNotifier>
#include <csignal>
#include <functional>
#include <iterator>
#include <memory>

#include "platform/core/EventLoop.h"

namespace platform {

// Turns SIGTERM, SIGINT and SIGHUP into a termination request delivered through the loop: the
// signal handler only writes a byte to a pipe, and the loop reads it. A second signal of a kind
// before the program has ended takes the system's default and ends it at once. The previous
// handlers come back when this is destroyed (watchers end in the reverse order of their start).
class TerminationSignals {
  public:
    TerminationSignals(EventLoop& loop, std::function<void()> request);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

    void readable();

    EventLoop& loop_;
    std::function<void()> request_;
    int pipe_[2] = {-1, -1};
    int previousPipe_ = -1;
    struct sigaction previous_[std::size(kSignals)] = {};
    std::unique_ptr<QSocketNotifier> notifier_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace platform
